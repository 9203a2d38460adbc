#pragma once

#include "reports/Report.h"

#include <QString>

#include <memory>

class QPrinter;

// What printing uses for the length of a run (none of it is stored): the printer with its paper,
// orientation and copies, the page margins and the report font. The printer starts as the
// system's default printer; with no printer installed it writes PDF files.
//
// The printer's own page margins are kept at its unprintable edge, so that painting starts at the
// printable corner of the paper; the report margins are laid out inside that by each report.
class PrintSettings {
public:
    PrintSettings();
    ~PrintSettings();
    PrintSettings(const PrintSettings&) = delete;
    PrintSettings& operator=(const PrintSettings&) = delete;

    QPrinter& Printer() { return *m_printer; }
    const QPrinter& Printer() const { return *m_printer; }

    // Print into this PDF file from now on.
    void UsePdfFile(const QString& fileName);
    // Puts the printer's page margins back to its unprintable edge (after a dialog edited them).
    void UseDeviceMargins();

    PageMargins Margins;
    ReportFont Font;

private:
    std::unique_ptr<QPrinter> m_printer;
};
