#pragma once

#include "platform/gui/PrintDialogs.h"

class QWidget;

namespace platform {

// The real dialogs, parented to the main window once it exists.
class QtPrintDialogs : public PrintDialogs {
public:
    explicit QtPrintDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    bool choosePrinter(QPrinter& printer) override;
    bool setUpPage(QPrinter& printer) override;
    bool chooseFont(QFont& font) override;

private:
    QWidget* m_parent;
};

} // namespace platform
