#include "BenchOccurrences.h"

#include "BenchGroup.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "core/DayListIndex.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr int kAppointments = 100000;
constexpr int kSeries = 10000;

} // namespace

// A year either side of today. The series are what calendars hold: weekly meetings that end after
// some months, short daily runs, monthly ones by day or by weekday, yearly birthdays (all day), a
// few in another zone or lasting several days.
void fillAppointments(PimDocument& document, const DateTime& today) {
    std::mt19937 random(29);
    std::uniform_int_distribution<int> offset(-365, 365), hour(7, 19), quarter(0, 3), pick(0, 99), count(5, 60);
    const char* const weekdays[] = {"MO", "TU", "WE", "TH", "FR", "MO,TH", "TU,FR", "MO,WE,FR"};
    for (int i = 0; i < kAppointments; ++i) {
        Appointment a;
        const DateTime day = today + DateTimeSpan(static_cast<double>(offset(random)));
        a.Description = "Appointment " + std::to_string(i);
        a.DueDate = day;
        a.StartTime = DateTime(day.Year(), day.Month(), day.Day(), hour(random), quarter(random) * 15, 0);
        a.EndTime = a.StartTime + DateTimeSpan(0, 1, 0, 0);
        a.Alarm = pick(random) < 30;
        a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, 15, 0);
        if (i % 10 == 0) {
            const int kind = pick(random);
            if (kind < 40) {
                a.RRule = std::string("FREQ=WEEKLY;BYDAY=") + weekdays[static_cast<std::size_t>(kind) % 8] +
                          (kind % 2 ? ";COUNT=" + std::to_string(count(random)) : std::string());
            } else if (kind < 50) {
                a.RRule = "FREQ=DAILY;COUNT=" + std::to_string(count(random) / 4);
            } else if (kind < 60) {
                a.RRule = "FREQ=MONTHLY;BYDAY=-1FR";
            } else if (kind < 70) {
                a.RRule = "FREQ=MONTHLY;INTERVAL=2";
            } else {
                a.RRule = "FREQ=YEARLY";
                a.AllDay = 1;
                a.StartTime = a.EndTime = day;
            }
            if (kind % 17 == 0)
                a.TimeZone = "America/New_York";
            if (kind % 13 == 0 && a.AllDay)
                a.EndDate = CalendarDate::Of(day) + 2;
        }
        document.Add(a);
    }
}

namespace {

QDate toQDate(const DateTime& day) {
    return QDate(day.Year(), day.Month(), day.Day());
}

void settle(MainFrame& frame) {
    frame.UpdateCommandStates();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void report(const char* name, const Timing& timing) {
    std::printf("%-40s %10.1f %10.1f\n", name, timing.wallMs, timing.cpuMs);
}

void queries(const PimDocument& document, const DateTime& today) {
    const PimRecords& records = document.Records();
    const CalendarDate day = CalendarDate::Of(today);
    OccurrenceIndex index;
    std::size_t listed = 0;
    const Timing first = timeOnce([&] { listed = index.On(records, day).size(); });
    report("index: first day (singles + its month)", first);
    std::printf("  occurrences today %zu\n", listed);
    const Timing prepare = timeOnce([&] {
        while (index.Prepare(records, day, 3, std::chrono::steady_clock::now() + std::chrono::milliseconds(10))) {
        }
    });
    report("index: prepare 3 months either side", prepare);
    Timing worst{0, 0};
    Timing sum{0, 0};
    DayListIndex lists;
    while (lists.Occurrences().Prepare(records, day, 3, std::chrono::steady_clock::now() + std::chrono::seconds(1))) {
    }
    for (CalendarDate d = day - 60; d <= day + 60; d = d + 1) {
        const Timing one = timeOnce([&] { lists.Appointments(records, d.Midnight()); });
        worst = {std::max(worst.wallMs, one.wallMs), std::max(worst.cpuMs, one.cpuMs)};
        sum = {sum.wallMs + one.wallMs, sum.cpuMs + one.cpuMs};
    }
    report("day rows, prepared month: worst", worst);
    report("day rows, prepared month: mean", Timing{sum.wallMs / 121, sum.cpuMs / 121});
    // An edit: the index reads the single appointments again and keeps every series' months.
    const Timing edit = timeOnce([&] {
        lists.Forget();
        lists.Appointments(records, today);
    });
    report("day rows after an edit", edit);
    printFigure("occurrences_day_rows_after_edit_ms", edit.wallMs);
    const Timing cold = timeOnce([&] { lists.Appointments(records, (day + 250).Midnight()); });
    report("day rows, month not yet prepared", cold);

    std::size_t monthCount = 0, yearCount = 0;
    const Timing monthOnce = timeOnce([&] { monthCount = Occurrences::Between(records, day, day + 30).size(); });
    const Timing yearOnce = timeOnce([&] { yearCount = Occurrences::Between(records, day, day + 364).size(); });
    const Timing monthWarm = bestOf(3, [&] { index.Between(records, day, day + 30); });
    const Timing yearWarm = bestOf(3, [&] { index.Between(records, day - 90, day + 90); });
    report("query a month, no index kept", monthOnce);
    report("query a year, no index kept", yearOnce);
    report("query a month, prepared index", monthWarm);
    report("query 181 days, prepared index", yearWarm);
    std::printf("  a month lists %zu, a year %zu\n", monthCount, yearCount);
    printFigure("occurrences_first_day_ms", first.wallMs);
    printFigure("occurrences_prepare_ms", prepare.wallMs);
    printFigure("occurrences_day_rows_worst_ms", worst.wallMs);
    printFigure("occurrences_day_rows_worst_cpu_ms", worst.cpuMs);
    printFigure("occurrences_day_rows_cold_month_ms", cold.wallMs);
    printFigure("occurrences_month_query_ms", monthOnce.wallMs);
    printFigure("occurrences_year_query_ms", yearOnce.wallMs);
}

void dayView(const QString& path, const DateTime& today) {
    SilentPrompt prompt;
    MainFrame frame(prompt, QString());
    DayView& view = *frame.View();
    const Timing open = timeOnce([&] {
        frame.OpenStartupDocument({path});
        frame.show();
        settle(frame);
    });
    report("window: open until painted", open);
    // The idle preparation runs as the program waits for the user.
    QElapsedTimer waited;
    waited.start();
    const Timing idle = timeOnce([&] {
        while (waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    });
    report("window: idle rounds after opening", idle);
    Timing worst{0, 0};
    const int steps[] = {1, 2, -1, -7, 30, -30, 3, -2, 1, 14, -14, 60, -60};
    for (int step : steps) {
        const Timing one = timeOnce([&] {
            view.Calendar()->setSelectedDate(toQDate(today + DateTimeSpan(static_cast<double>(step))));
            settle(frame);
        });
        worst = {std::max(worst.wallMs, one.wallMs), std::max(worst.cpuMs, one.cpuMs)};
    }
    report("window: date change, worst", worst);
    const Timing far = timeOnce([&] {
        view.Calendar()->setSelectedDate(toQDate(today + DateTimeSpan(300.0)));
        settle(frame);
    });
    report("window: date change to a month not prepared", far);
    frame.Document().SetModified(false);
    frame.hide();
    printFigure("occurrences_window_open_ms", open.wallMs);
    printFigure("occurrences_date_change_ms", worst.wallMs);
    printFigure("occurrences_date_change_cpu_ms", worst.cpuMs);
    printFigure("occurrences_date_change_far_ms", far.wallMs);
}

} // namespace

void runOccurrencesBench() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("series.pgr"));
    const DateTime today = DateTime::Today();
    std::printf("%-40s %10s %10s\n", "measure", "wall ms", "cpu ms");
    {
        PimDocument document;
        fillAppointments(document, today);
        queries(document, today);
        if (!DocumentStorage(document).WriteToFile(path)) {
            std::fprintf(stderr, "bench: cannot write %s\n", qPrintable(path));
            return;
        }
    }
    dayView(path, today);
}
