#include "BenchReports.h"

#include "BenchGroup.h"
#include "BenchPlans.h"
#include "BenchTiming.h"
#include "platform/gui/PageRecording.h"
#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/CreateReport.h"
#include "reports/PrintJob.h"
#include "reports/PrintSettings.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

namespace {

// A day with many entries: what a daily plan of an imported calendar can hold.
ReportSelection busyDay(int count) {
    ReportSelection selection;
    selection.Kind = ReportKind::DailyPlan;
    for (int i = 0; i < count; ++i) {
        Appointment a;
        a.ID = i + 1;
        a.Description = "Review of the quarterly figures with the team, room " + std::to_string(i % 40);
        a.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
        a.StartTime = DateTime(2003, 5, 10, 8 + i % 10, (i * 5) % 60, 0);
        a.EndTime = DateTime(2003, 5, 10, 9 + i % 10, (i * 5) % 60, 0);
        selection.Appointments.push_back(a);
        Task t;
        t.ID = i + 1;
        t.Description = "Send the signed contract back to the supplier " + std::to_string(i);
        t.Priority = i % 4;
        t.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
        selection.Tasks.push_back(t);
    }
    return selection;
}

} // namespace

void runReportsBench() {
    const int count = 10000;
    const ReportSelection selection = busyDay(count);
    QTemporaryDir dir;
    PrintSettings settings;
    const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
    settings.UsePdfFile(pdf);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());

    QElapsedTimer timer;
    timer.start();
    auto report = CreateReport(&surface, selection, settings.Margins, settings.Font);
    const double layoutMs = elapsedMs(timer);
    const int pages = report->GetPageCount();

    timer.restart();
    PrintJob::Print(*report, settings.Printer(), metrics);
    const double printMs = elapsedMs(timer);

    timer.restart();
    const platform::PageRecording page =
        platform::PageRecording::record(metrics, &settings.Printer(), [&](platform::DrawSurface& s) {
            s.save();
            report->PrintPage(&s, 1);
            s.restore();
        });
    const double recordMs = elapsedMs(timer);

    QImage image(1000, 1300, QImage::Format_RGB32);
    image.fill(Qt::white);
    timer.restart();
    {
        QPainter painter(&image);
        page.play(painter, QRectF(0, 0, 1000, 1300));
    }
    const double paintMs = elapsedMs(timer);

    std::printf("%-44s %10s\n", "daily plan, 10,000 appointments and tasks", "");
    std::printf("  %-42s %10d\n", "pages", pages);
    std::printf("  %-42s %10.1f ms\n", "build and paginate", layoutMs);
    std::printf("  %-42s %10.1f ms (%.0f KiB)\n", "print every page into a PDF file", printMs,
                double(QFileInfo(pdf).size()) / 1024);
    std::printf("  %-42s %10.2f ms\n", "record one preview page", recordMs);
    std::printf("  %-42s %10.2f ms\n", "paint it at 1000 x 1300 pixels", paintMs);
    printFigure("reports_plan10k_layout_ms", layoutMs);
    printFigure("reports_plan10k_pdf_ms", printMs);
    printFigure("reports_plan10k_pdf_ms_per_page", printMs / pages);
    printFigure("reports_preview_record_ms", recordMs);
    printFigure("reports_preview_paint_ms", paintMs);

    runPlanReportsBench();
}
