#pragma once

class QFont;
class QPrinter;

namespace platform {

// The print, page-setup and font dialogs. A person answers them, so tests put their own in place.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;

    // The printer and its settings (paper, orientation, copies), or printing to a PDF file. Only
    // whole documents are printed: no page ranges, no selection. False when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // Paper, orientation and margins, edited in the printer's page layout. False when cancelled.
    virtual bool setUpPage(QPrinter& printer) = 0;
    // A scalable font, starting from font. False when cancelled.
    virtual bool chooseFont(QFont& font) = 0;
};

} // namespace platform
