#pragma once

// Printing and previewing the chosen report, as the main window's commands do them. The main window
// forwards these commands and shows what comes back:
//
//   Print(selection)        File > "&Print..." (also on the preview toolbar): the print dialog, then
//                           one job. While previewing, the report shown is printed as it is.
//   PageSetup(selection)    "Page Set&up...": paper and margins; a preview is rebuilt and redrawn.
//                           With UseSettings(store) the choice is remembered for the next run.
//   ExportPdf(selection, f) File > "Export to PDF..." (also on the preview toolbar): the report into a
//                           PDF file on the page setup's paper, without the print dialog. While
//                           previewing, the report shown.
//   ChooseReportFont()      Report > "Report &Font...": used by the next report built.
//   EnterPreview(selection) "Print Pre&view..." while not previewing; false when the selection
//                           names no report. Then show a PreviewWidget in place of the day view and
//                           the preview toolbar in place of the main one.
//   LeavePreview()          "Print Pre&view..." again, or "Close Preview"; then show the day view,
//                           the main toolbar and the status text "Ready".
//   NextPage(), PreviousPage(), ZoomIn(), ZoomOut()   the preview toolbar.
//   Preview()               InPreview() and the enabling rules CanNextPage(), CanPreviousPage(),
//                           CanZoomIn(), CanZoomOut().
//   statusText(text)        signal: "Page %d of %d" whenever a page is drawn, previewed or printed.
//   previewChanged()        signal: the preview's page or zoom changed (PreviewWidget repaints).

#include "platform/gui/DrawSurface.h"
#include "platform/gui/PageRecording.h"
#include "reports/PreviewController.h"
#include "reports/PrintSettings.h"
#include "reports/Report.h"
#include "reports/ReportSelection.h"

#include <QObject>

#include <memory>

class QPrinter;

namespace platform {
class PainterSurface;
class PrintDialogs;
class SettingsStore;
} // namespace platform

class PrintCommands : public QObject {
    Q_OBJECT
public:
    explicit PrintCommands(platform::PrintDialogs& dialogs, QObject* parent = nullptr);
    ~PrintCommands() override;

    PrintSettings& Settings() { return m_settings; }
    // Restores the remembered page setup now and remembers each one chosen from now on.
    void UseSettings(platform::SettingsStore& store);

    // Each returns false when the dialog was cancelled or nothing could be done.
    bool Print(const ReportSelection& selection);
    bool PageSetup(const ReportSelection& selection);
    bool ChooseReportFont();
    // False when there is no report or the file cannot be written.
    bool ExportPdf(const ReportSelection& selection, const QString& fileName);

    bool EnterPreview(const ReportSelection& selection);
    void LeavePreview();
    bool NextPage();
    bool PreviousPage();
    bool ZoomIn();
    bool ZoomOut();

    const PreviewController& Preview() const { return m_preview; }
    // The page the preview shows; a null recording while there is none (an empty report).
    const platform::PageRecording& PreviewPage() const { return m_page; }
    // The report being previewed, or null.
    const Report* PreviewReport() const { return m_report.get(); }

Q_SIGNALS:
    void statusText(const QString& text);
    void previewChanged();

private:
    // A report with the surface it is laid out on, for the current printer.
    struct LaidOut {
        std::unique_ptr<platform::PainterSurface> surface;
        std::unique_ptr<Report> report;
        platform::DeviceMetrics metrics;
    };
    LaidOut Build(const ReportSelection& selection, QPrinter& printer);
    bool RunJob(Report& report, const platform::DeviceMetrics& laidOutFor);
    void RecordPage(int page);
    void ShowPageStatus(int number, int count);

    platform::PrintDialogs& m_dialogs;
    PrintSettings m_settings;
    PreviewController m_preview;
    std::unique_ptr<platform::PainterSurface> m_surface;
    std::unique_ptr<Report> m_report;
    platform::DeviceMetrics m_metrics;
    platform::PageRecording m_page;
    platform::SettingsStore* m_store = nullptr;
};
