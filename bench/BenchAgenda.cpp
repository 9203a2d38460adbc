#include "BenchAgenda.h"

#include "BenchGroup.h"
#include "BenchOccurrences.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "core/AgendaRows.h"
#include "core/DayListIndex.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/views/AgendaList.h"
#include "shell/views/AgendaView.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

namespace {

constexpr int kTasks = 10000;
constexpr int kDays = 30;

// Due a year either side of today; a third of them done.
void fillTasks(PimDocument& document, const DateTime& today) {
    std::mt19937 random(33);
    std::uniform_int_distribution<int> offset(-365, 365), pick(0, 99);
    for (int i = 0; i < kTasks; ++i) {
        Task t;
        t.Description = "Task " + std::to_string(i);
        t.DueDate = today + DateTimeSpan(static_cast<double>(offset(random)));
        t.Priority = pick(random) % 3;
        if (pick(random) < 33) {
            t.Priority = Task::Done;
            t.DoneDate = t.DueDate;
        }
        document.Add(t);
    }
}

void report(const char* name, const Timing& timing) {
    std::printf("%-40s %10.1f %10.1f\n", name, timing.wallMs, timing.cpuMs);
}

void rows(const PimDocument& document, const DateTime& today) {
    const PimRecords& records = document.Records();
    const CalendarDate day = CalendarDate::Of(today);
    DayListIndex index;
    std::size_t count = 0;
    const Timing cold = timeOnce([&] { count = AgendaRows::Build(records, index, day, kDays, true).size(); });
    const Timing warm = bestOf(5, [&] { AgendaRows::Build(records, index, day, kDays, true); });
    // An edit forgets what was worked out from the records; the series' months are kept.
    const Timing edited = bestOf(3, [&] {
        index.Forget();
        AgendaRows::Build(records, index, day, kDays, true);
    });
    report("rows, 30 days: fresh index", cold);
    report("rows, 30 days: kept index", warm);
    report("rows, 30 days: after an edit", edited);
    std::printf("  rows %zu\n", count);
    printFigure("agenda_rows_cold_ms", cold.wallMs);
    printFigure("agenda_rows_cold_cpu_ms", cold.cpuMs);
    printFigure("agenda_rows_warm_ms", warm.wallMs);
    printFigure("agenda_rows_warm_cpu_ms", warm.cpuMs);
    printFigure("agenda_rows_after_edit_cpu_ms", edited.cpuMs);
}

void settle(MainFrame& frame) {
    frame.UpdateCommandStates();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void view(const QString& path) {
    SilentPrompt prompt;
    MainFrame frame(prompt, QString());
    frame.OpenStartupDocument({path});
    frame.show();
    settle(frame);
    AgendaView& agenda = *frame.Agenda();
    // The first look: the day view worked out only the day it shows.
    const Timing first = timeOnce([&] {
        frame.ShowView(MainView::Agenda);
        agenda.List()->viewport()->repaint();
    });
    const Timing again = bestOf(5, [&] {
        agenda.Refresh();
        agenda.List()->viewport()->repaint();
    });
    report("view: first shown after opening", first);
    report("view: filled and painted again", again);
    frame.Document().SetModified(false);
    frame.hide();
    printFigure("agenda_view_first_ms", first.wallMs);
    printFigure("agenda_view_first_cpu_ms", first.cpuMs);
    printFigure("agenda_view_fill_ms", again.wallMs);
    printFigure("agenda_view_fill_cpu_ms", again.cpuMs);
}

} // namespace

void runAgendaBench() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("agenda.pgr"));
    const DateTime today = DateTime::Today();
    std::printf("%-40s %10s %10s\n", "measure", "wall ms", "cpu ms");
    {
        PimDocument document;
        fillAppointments(document, today);
        fillTasks(document, today);
        rows(document, today);
        if (!DocumentStorage(document).WriteToFile(path)) {
            std::fprintf(stderr, "bench: cannot write %s\n", qPrintable(path));
            return;
        }
    }
    view(path);
}
