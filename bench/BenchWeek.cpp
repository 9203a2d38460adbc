#include "BenchWeek.h"

#include "BenchGroup.h"
#include "BenchOccurrences.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "core/OccurrenceIndex.h"
#include "core/WeekLayout.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/views/WeekGrid.h"
#include "shell/views/WeekView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void report(const char* name, const Timing& timing) {
    std::printf("%-40s %10.1f %10.1f\n", name, timing.wallMs, timing.cpuMs);
}

void settle(MainFrame& frame) {
    frame.UpdateCommandStates();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// What the screen gets: the page laid out for the controller's date and painted whole.
QImage paint(WeekView& week) {
    QImage image(week.size(), QImage::Format_ARGB32_Premultiplied);
    week.render(&image);
    return image;
}

Timing showWeek(MainFrame& frame, WeekView& week, const DateTime& day) {
    return timeOnce([&] {
        frame.View()->Controller().ShowDate(day);
        paint(week);
    });
}

} // namespace

void runWeekBench() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("week.pgr"));
    const DateTime today = DateTime::Today();
    {
        PimDocument document;
        fillAppointments(document, today);
        if (!DocumentStorage(document).WriteToFile(path)) {
            std::fprintf(stderr, "bench: cannot write %s\n", qPrintable(path));
            return;
        }
    }
    SilentPrompt prompt;
    MainFrame frame(prompt, QString());
    frame.OpenStartupDocument({path});
    frame.show();
    frame.ShowView(MainView::Week);
    settle(frame);
    WeekView& week = *frame.Week();
    std::printf("%-40s %10s %10s\n", "measure", "wall ms", "cpu ms");
    std::printf("  page %dx%d\n", week.width(), week.height());

    // Months away, where no idle round has expanded the series yet.
    const DateTime far = today + DateTimeSpan(200.0);
    const Timing cold = showWeek(frame, week, far);
    report("week: cold (months not prepared)", cold);
    std::printf("  boxes %zu, band entries %zu\n", week.Plan().boxes.size(), week.Plan().band.size());
    const Timing next = showWeek(frame, week, far + DateTimeSpan(7.0));
    report("week: the next week", next);
    const Timing paintOnly = bestOf(5, [&] { paint(week); });
    report("week: repaint, laid out", paintOnly);
    DayViewController& controller = frame.View()->Controller();
    const CalendarDate first = week.Plan().first;
    const PimRecords& records = frame.Document().Records();
    std::vector<DayOccurrence> listed;
    const Timing query = bestOf(5, [&] { listed = controller.Occurrences().Between(records, first, first + 6); });
    report("week: occurrence query, prepared", query);
    const Timing layout = bestOf(5, [&] { WeekLayout::Lay(listed, {}, first); });
    report("week: layout alone", layout);

    // A step of the wheel repaints the grid's newly shown strip; the worst case is the whole
    // viewport, as after a jump of the scroll bar.
    auto* scroll = qobject_cast<QScrollArea*>(week.Grid()->parentWidget()->parentWidget());
    QWidget* viewport = week.Grid()->parentWidget();
    Timing scrollWorst{0, 0};
    for (int value = 0; scroll && value <= scroll->verticalScrollBar()->maximum(); value += 60) {
        const Timing one = timeOnce([&] {
            scroll->verticalScrollBar()->setValue(value);
            QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
            viewport->render(&image);
        });
        scrollWorst = {std::max(scrollWorst.wallMs, one.wallMs), std::max(scrollWorst.cpuMs, one.cpuMs)};
    }
    report("week: scroll step, whole viewport, worst", scrollWorst);

    frame.Document().SetModified(false);
    frame.hide();
    printFigure("week_cold_ms", cold.wallMs);
    printFigure("week_cold_cpu_ms", cold.cpuMs);
    printFigure("week_next_ms", next.wallMs);
    printFigure("week_next_cpu_ms", next.cpuMs);
    printFigure("week_repaint_cpu_ms", paintOnly.cpuMs);
    printFigure("week_scroll_worst_cpu_ms", scrollWorst.cpuMs);
}
