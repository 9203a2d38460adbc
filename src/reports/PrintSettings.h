#pragma once

#include "reports/Report.h"

#include <QString>

#include <memory>

class QLocale;
class QPageSize;
class QPrinter;

namespace platform {
class SettingsStore;
}

// What printing uses: the printer with its paper, orientation and copies, the page margins and the
// report font. The printer starts as the system's default printer; with no printer installed it
// writes PDF files on the locale's paper (Letter where that is the custom, A4 elsewhere). The page
// setup (paper, orientation, margins) can be remembered in the settings and restored next run.
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
    // A printer that writes a PDF file on the paper, in the orientation and resolution of Printer().
    std::unique_ptr<QPrinter> PdfPrinter(const QString& fileName) const;

    // The page setup under "Page Setup" in the settings: "Paper" (a paper size's key, as "A4" or
    // "Letter"), "Landscape" (0 or 1) and "LeftMargin" to "BottomMargin" (thousandths of an inch).
    void RestorePageSetup(const platform::SettingsStore& store);
    void RememberPageSetup(platform::SettingsStore& store) const;

    PageMargins Margins;
    ReportFont Font;

private:
    std::unique_ptr<QPrinter> m_printer;
};
