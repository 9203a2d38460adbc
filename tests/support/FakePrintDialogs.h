#pragma once

#include "platform/gui/PrintDialogs.h"

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>

#include <functional>
#include <optional>

// Stands in for the person answering the print, page-setup and font dialogs: each answers OK after
// applying what the test set up, or Cancel, and records what it was shown.
class FakePrintDialogs : public platform::PrintDialogs {
public:
    bool choosePrinter(QPrinter& printer) override {
        ++printerDialogs;
        if (!acceptPrinter)
            return false;
        if (onPrinter)
            onPrinter(printer);
        return true;
    }
    bool setUpPage(QPrinter& printer) override {
        ++pageSetupDialogs;
        marginsShown = printer.pageLayout().margins(QPageLayout::Inch);
        if (!nextMarginsMillimetres)
            return false;
        printer.setPageMargins(*nextMarginsMillimetres, QPageLayout::Millimeter);
        return true;
    }
    bool chooseFont(QFont& font) override {
        fontShown = font;
        if (!nextFont)
            return false;
        font = *nextFont;
        return true;
    }

    bool acceptPrinter = true;
    std::function<void(QPrinter&)> onPrinter;
    std::optional<QMarginsF> nextMarginsMillimetres; // none: Cancel
    std::optional<QFont> nextFont;                   // none: Cancel

    int printerDialogs = 0;
    int pageSetupDialogs = 0;
    QMarginsF marginsShown;
    QFont fontShown;
};
