#include "reports/PrintCommands.h"

#include "platform/SettingsStore.h"
#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrintDialogs.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/CreateReport.h"
#include "reports/PrintJob.h"
#include "reports/SurfaceGuards.h"

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

int thousandths(qreal inches) {
    return static_cast<int>(std::lround(inches * 1000));
}

} // namespace

PrintCommands::PrintCommands(platform::PrintDialogs& dialogs, QObject* parent) : QObject(parent), m_dialogs(dialogs) {}

PrintCommands::~PrintCommands() = default;

void PrintCommands::UseSettings(platform::SettingsStore& store) {
    m_store = &store;
    m_settings.RestorePageSetup(store);
}

PrintCommands::LaidOut PrintCommands::Build(const ReportSelection& selection, QPrinter& printer) {
    LaidOut result;
    result.metrics = platform::printerMetrics(printer);
    result.surface = std::make_unique<platform::PainterSurface>(nullptr, result.metrics, &printer);
    result.report = CreateReport(result.surface.get(), selection, m_settings.Margins, m_settings.Font);
    return result;
}

bool PrintCommands::RunJob(Report& report, const platform::DeviceMetrics& laidOutFor) {
    return PrintJob::Print(report, m_settings.Printer(), laidOutFor,
                           [this](int number, int count) { ShowPageStatus(number, count); });
}

bool PrintCommands::Print(const ReportSelection& selection) {
    if (!m_dialogs.choosePrinter(m_settings.Printer()))
        return false;
    // The dialog may have touched the margins; the report margins are Page Setup's.
    m_settings.UseDeviceMargins();
    if (m_preview.InPreview())
        return m_report && RunJob(*m_report, m_metrics);
    LaidOut built = Build(selection, m_settings.Printer());
    return built.report && RunJob(*built.report, built.metrics);
}

bool PrintCommands::PageSetup(const ReportSelection& selection) {
    QPrinter& printer = m_settings.Printer();
    const PageMargins& m = m_settings.Margins;
    printer.setPageMargins(QMarginsF(m.left / 1000.0, m.top / 1000.0, m.right / 1000.0, m.bottom / 1000.0),
                           QPageLayout::Inch);
    const bool accepted = m_dialogs.setUpPage(printer);
    if (accepted) {
        const QMarginsF chosen = printer.pageLayout().margins(QPageLayout::Inch);
        m_settings.Margins = {thousandths(chosen.left()), thousandths(chosen.top()), thousandths(chosen.right()),
                              thousandths(chosen.bottom())};
    }
    m_settings.UseDeviceMargins();
    if (accepted && m_store)
        m_settings.RememberPageSetup(*m_store);
    if (accepted && m_preview.InPreview()) {
        LaidOut built = Build(selection, m_settings.Printer());
        m_report = std::move(built.report);
        m_surface = std::move(built.surface);
        m_metrics = built.metrics;
        m_preview.SetPageCount(m_report ? m_report->GetPageCount() : 0);
        RecordPage(m_preview.CurrentPage());
        Q_EMIT previewChanged();
    }
    return accepted;
}

bool PrintCommands::ExportPdf(const ReportSelection& selection, const QString& fileName) {
    const std::unique_ptr<QPrinter> pdf = m_settings.PdfPrinter(fileName);
    if (m_preview.InPreview())
        return m_report && m_report->GetPageCount() > 0 && PrintJob::Print(*m_report, *pdf, m_metrics);
    LaidOut built = Build(selection, *pdf);
    return built.report && built.report->GetPageCount() > 0 && PrintJob::Print(*built.report, *pdf, built.metrics);
}

bool PrintCommands::ChooseReportFont() {
    QFont font(m_settings.Font.faceName.left(31));
    font.setPointSize(std::max(1, m_settings.Font.pointSize));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    if (!m_dialogs.chooseFont(font))
        return false;
    m_settings.Font.faceName = font.family();
    // Whole points, as the dialog's size in tenths divided by ten.
    const int points = static_cast<int>(std::round(font.pointSizeF() * 10)) / 10;
    if (points > 0)
        m_settings.Font.pointSize = points;
    return true;
}

bool PrintCommands::EnterPreview(const ReportSelection& selection) {
    if (m_preview.InPreview())
        return true;
    LaidOut built = Build(selection, m_settings.Printer());
    if (!built.report)
        return false;
    m_report = std::move(built.report);
    m_surface = std::move(built.surface);
    m_metrics = built.metrics;
    m_preview.Enter(m_report->GetPageCount());
    RecordPage(0);
    Q_EMIT previewChanged();
    return true;
}

void PrintCommands::LeavePreview() {
    if (!m_preview.InPreview())
        return;
    m_preview.Leave();
    m_page = platform::PageRecording();
    m_report.reset();
    m_surface.reset();
    Q_EMIT previewChanged();
}

void PrintCommands::RecordPage(int page) {
    if (!m_report || page < 0 || page >= m_report->GetPageCount()) {
        m_page = platform::PageRecording();
        return;
    }
    m_page = platform::PageRecording::record(m_metrics, &m_settings.Printer(), [&](platform::DrawSurface& surface) {
        SavedSurfaceState pageState(surface);
        m_report->PrintPage(&surface, page);
    });
    // The first page drawn on narrow paper switches to small type, which can change the count.
    m_preview.SetPageCount(m_report->GetPageCount());
    ShowPageStatus(page + 1, m_report->GetPageCount());
}

void PrintCommands::ShowPageStatus(int number, int count) {
    Q_EMIT statusText(QStringLiteral("Page %1 of %2").arg(number).arg(count));
}

bool PrintCommands::NextPage() {
    if (!m_preview.NextPage())
        return false;
    RecordPage(m_preview.CurrentPage());
    Q_EMIT previewChanged();
    return true;
}

bool PrintCommands::PreviousPage() {
    if (!m_preview.PreviousPage())
        return false;
    RecordPage(m_preview.CurrentPage());
    Q_EMIT previewChanged();
    return true;
}

bool PrintCommands::ZoomIn() {
    if (!m_preview.ZoomIn())
        return false;
    Q_EMIT previewChanged();
    return true;
}

bool PrintCommands::ZoomOut() {
    if (!m_preview.ZoomOut())
        return false;
    Q_EMIT previewChanged();
    return true;
}
