#include "platform/gui/QtPrintDialogs.h"

#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace platform {

bool QtPrintDialogs::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, m_parent);
    // Print to file stays offered: it is the way to a PDF, and the only one without a printer.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, 1);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrintDialogs::setUpPage(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrintDialogs::chooseFont(QFont& font) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, m_parent, QString(), QFontDialog::ScalableFonts);
    if (ok)
        font = chosen;
    return ok;
}

} // namespace platform
