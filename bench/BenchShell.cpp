#include "BenchShell.h"

#include "BenchGroup.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "shell/CommandIds.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/reminders/DayReminders.h"
#include "shell/search/SearchPanel.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

constexpr int kRecords = 100000;

// Lets the window repaint what changed, as the event loop does before it waits: the idle update,
// then the pending paint events of the widgets that changed.
void settle(MainFrame& frame) {
    frame.UpdateCommandStates();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

QDate toQDate(const DateTime& day) {
    return QDate(day.Year(), day.Month(), day.Day());
}

} // namespace

// A year either side of today: about a third of the tasks are open and overdue, so that today's
// task list is the longest of all.
void fillBenchDocument(PimDocument& document, const DateTime& today, int records) {
    std::mt19937 random(8);
    std::uniform_int_distribution<int> offset(-365, 365), percent(0, 99), hour(7, 19), quarter(0, 3), pick(0, 9);
    const char* const first[] = {"Anna", "ben", "Carla", "David", "eva", "Frank", "Greta", "Hugo", "Ines", "Jonas"};
    const char* const last[] = {"Meyer",  "o'Brien", "Schmidt",  "Novak", "Rossi",
                                "dubois", "Larsen",  "Kowalski", "Berg",  "Ito"};
    const char* const companies[] = {
        "Northwind Traders", "acme",           "Acme Corporation", "",   "City Library", "Zebra Logistics",
        "apple orchards",    "Blue Sky Media", "Porter & Sons",    "Ito"};
    for (int i = 0; i < records; ++i) {
        Person person;
        person.FName = first[pick(random)];
        person.LName = std::string(last[pick(random)]) + std::to_string(i % 997);
        person.RName = person.LName + ", " + person.FName;
        person.Company = companies[pick(random)];
        person.HmPhone = "555-" + std::to_string(1000 + i % 9000);
        person.WhitePages = percent(random) < 70;
        person.YellowPages = percent(random) < 50;
        document.Add(person);

        Task task;
        task.Description = "Task number " + std::to_string(i);
        task.DueDate = today + DateTimeSpan(static_cast<double>(offset(random)));
        task.Priority = percent(random) < 30 ? Task::Done : pick(random) % 3;
        if (task.Priority == Task::Done)
            task.DoneDate = std::min(task.DueDate, today);
        document.Add(task);

        Appointment appointment;
        const DateTime day = today + DateTimeSpan(static_cast<double>(offset(random)));
        appointment.Description = "Meeting " + std::to_string(i);
        appointment.DueDate = day;
        appointment.StartTime = DateTime(day.Year(), day.Month(), day.Day(), hour(random), quarter(random) * 15, 0);
        appointment.EndTime = appointment.StartTime + DateTimeSpan(0, 1, 0, 0);
        appointment.Alarm = pick(random) < 3;
        appointment.AlarmTime = appointment.StartTime - DateTimeSpan(0, 0, 15, 0);
        document.Add(appointment);
    }
}

void runShellBench() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.pgr"));
    const DateTime today = DateTime::Today();
    {
        PimDocument document;
        fillBenchDocument(document, today, kRecords);
        if (!DocumentStorage(document).WriteToFile(path)) {
            std::fprintf(stderr, "bench: cannot write %s\n", qPrintable(path));
            return;
        }
    }

    SilentPrompt prompt;
    MainFrame frame(prompt, QString());
    DayView& view = *frame.View();

    struct Cost {
        double wall = 0;
        double cpu = 0;
    };
    const auto measure = [](const auto& work) {
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        work();
        return Cost{elapsedMs(timer), threadCpuMs() - cpuStart};
    };
    const auto report = [](const char* name, Cost cost) {
        std::printf("%-34s %10.1f %10.1f\n", name, cost.wall, cost.cpu);
    };
    std::printf("%-34s %10s %10s\n", "measure", "wall ms", "cpu ms");

    const Cost load = measure([&] { frame.OpenStartupDocument({path}); });
    // The look on opening: every alarm of the past year is due, most of them missed.
    ReminderCenter& reminders = view.Reminders().Center();
    const Cost opening = measure([&] { reminders.OpeningCheck(); });
    const Cost minute = measure([&] { reminders.Check(); });
    const Cost refill = measure([&] { frame.UpdateCommandStates(); });
    const Cost paint = measure([&] {
        frame.show();
        settle(frame);
    });
    const Cost open{load.wall + refill.wall + paint.wall, load.cpu + refill.cpu + paint.cpu};
    report("load 100k of each record", load);
    report("refill the three lists", refill);
    report("show and paint", paint);
    report("open until painted", open);
    report("reminders on opening", opening);
    report("reminder check each minute", minute);
    std::printf("  phone book rows %d, task rows today %d\n", view.PhoneBookList()->model()->rowCount(),
                view.TaskList()->model()->rowCount());

    // Dates the user would click: neighbours of today and days further off. Today is measured on its
    // own: it lists every open task that is overdue, here tens of thousands.
    Cost worstDate;
    const int steps[] = {1, 2, -1, -7, 30, -30, 200, 3, -2, 1};
    for (int step : steps) {
        const Cost cost = measure([&] {
            view.Calendar()->setSelectedDate(toQDate(today + DateTimeSpan(static_cast<double>(step))));
            settle(frame);
        });
        worstDate = {std::max(worstDate.wall, cost.wall), std::max(worstDate.cpu, cost.cpu)};
    }
    const Cost backToToday = measure([&] {
        view.Calendar()->setSelectedDate(toQDate(today));
        settle(frame);
    });
    report("date change, worst", worstDate);
    report("date change back to today", backToToday);

    Cost worstFilter;
    for (int round = 0; round < 3; ++round) {
        for (QRadioButton* button : {view.YellowPagesButton(), view.WhitePagesButton()}) {
            const Cost cost = measure([&] {
                button->click();
                settle(frame);
            });
            worstFilter = {std::max(worstFilter.wall, cost.wall), std::max(worstFilter.cpu, cost.cpu)};
        }
    }
    report("filter switch, worst", worstFilter);

    // Edit > Find: the index is built when the search opens (or at the first query after a change);
    // then each letter of a name typed into the field refreshes the results and paints them.
    SearchPanel& search = *view.Search();
    frame.Route(cmd::EditFind);
    settle(frame);
    search.Search().DocumentChanged(frame.Document());
    const Cost indexBuild = measure([&] { search.Search().Prepare(); });
    const QString name = QStringLiteral("Kowalski42");
    Cost worstKey, allKeys;
    for (qsizetype letters = 1; letters <= name.size(); ++letters) {
        const Cost cost = measure([&] {
            search.Field()->setText(name.left(letters));
            settle(frame);
        });
        worstKey = {std::max(worstKey.wall, cost.wall), std::max(worstKey.cpu, cost.cpu)};
        allKeys = {allKeys.wall + cost.wall, allKeys.cpu + cost.cpu};
    }
    const auto keys = static_cast<double>(name.size());
    report("search index build", indexBuild);
    report("search keystroke, worst", worstKey);
    report("search keystroke, mean", Cost{allKeys.wall / keys, allKeys.cpu / keys});
    std::printf("  \"%s\" finds %d rows\n", qPrintable(name), search.Results()->model()->rowCount());
    search.Close();
    // An edit of the last person in the book: every list refills and finds that person again.
    DayListView* phoneBook = view.PhoneBookList();
    phoneBook->setCurrentIndex(phoneBook->model()->index(phoneBook->model()->rowCount() - 1, 0));
    const int editedId = view.Controller().SelectedPerson().id;
    const Cost edit = measure([&] {
        Person person = *frame.Document().Persons().Find(editedId);
        person.Notes += "!";
        frame.Document().Change(person);
        settle(frame);
    });
    report("edit refill keeping the selection", edit);
    if (view.Controller().SelectedPerson().id != editedId)
        std::fprintf(stderr, "bench: the edited person lost the selection\n");

    frame.Document().SetModified(false);
    frame.hide();

    const double openMs = open.wall;
    const double worstDateMs = worstDate.wall;
    const double filterMs = worstFilter.wall;
    printFigure("open_100k_ms", openMs);
    printFigure("date_change_ms", worstDateMs);
    printFigure("filter_switch_ms", filterMs);
    printFigure("open_100k_cpu_ms", open.cpu);
    printFigure("date_change_cpu_ms", worstDate.cpu);
    printFigure("filter_switch_cpu_ms", worstFilter.cpu);
    printFigure("search_index_build_ms", indexBuild.wall);
    printFigure("search_keystroke_worst_ms", worstKey.wall);
    printFigure("search_keystroke_worst_cpu_ms", worstKey.cpu);
    printFigure("edit_refill_ms", edit.wall);
    printFigure("reminders_opening_ms", opening.wall);
    printFigure("reminder_check_ms", minute.wall);
}
