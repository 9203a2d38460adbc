#include "DayRecords.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/search/SearchPanel.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTreeView>

// The main window over repeating, all-day and multi-day appointments: the day's rows, the
// calendar's marks, and where Go to Today, undo, redo and search take the user. Today is
// Wednesday 2024-05-15.
namespace {

using namespace dayrecords;

DateTime date(int month, int day, int year = 2024) {
    return DateTime(year, month, day, 0, 0, 0);
}

// Wednesdays 10:00-11:00 from 1 May, six times: 1, 8, 15, 22, 29 May and 5 June.
Appointment yoga() {
    Appointment a = appointment("Yoga", 10, 0, date(5, 1));
    a.RRule = "FREQ=WEEKLY;COUNT=6";
    return a;
}

// 14 to 16 May, all day.
Appointment trip() {
    Appointment a = appointment("Trip", 0, 0, date(5, 14));
    a.StartTime = date(5, 14);
    a.EndTime = date(5, 14);
    a.AllDay = 1;
    a.EndDate = CalendarDate::FromParts(2024, 5, 16);
    return a;
}

struct Frame {
    Frame() : frame(prompts, QString()) {
        frame.show();
        if (!QTest::qWaitForWindowActive(&frame))
            qWarning("the main window did not become active: its shortcuts will not answer");
        frame.UpdateCommandStates();
    }
    PimDocument& document() { return frame.Document(); }
    DayView& view() { return *frame.View(); }
    DayViewController& controller() { return frame.View()->Controller(); }
    void settle() {
        controller().RefillIfPending();
        frame.UpdateCommandStates();
    }
    // Each appointment row: "time|description|image".
    QStringList rows() {
        settle();
        QStringList texts;
        const RecordListModel& model = controller().Appointments();
        for (int row = 0; row < model.Count(); ++row)
            texts << QStringLiteral("%1|%2|%3").arg(model.Text(row, 0), model.Text(row, 1)).arg(model.Row(row).image);
        return texts;
    }
    QStringList descriptions() {
        QStringList texts;
        for (const QString& row : rows())
            texts << row.section(QLatin1Char('|'), 1, 1);
        return texts;
    }
    bool marked(const QDate& day) { return view().Calendar()->dateTextFormat(day).background().style() != Qt::NoBrush; }
    void keys(QKeyCombination combination) {
        settle();
        QTest::keyClick(&frame, combination.key(), combination.keyboardModifiers());
        settle();
    }
    QStringList results(int column) {
        QStringList texts;
        const QAbstractItemModel* model = view().Search()->Results()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->index(row, column).data().toString());
        return texts;
    }
    void find(const QString& text) {
        keys(Qt::CTRL | Qt::Key_F);
        QTest::keyClicks(view().Search()->Field(), text);
    }

    FakePromptService prompts;
    MainFrame frame;
};

} // namespace

class TestDayOccurrences : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QSettings().clear();
        platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
    }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void dayListsItsOccurrences_data();
    void dayListsItsOccurrences();
    void calendarMarksDaysWithOccurrences();
    void birthdaysShownUntilTurnedOff();
    void goToTodayByKeyMenuAndButton();
    void undoShowsWhereTheRecordIsListed();
    void undoOfASeriesShowsTheAffectedDay();
    void undoOfAnUnlistedRecordStaysAndSays();
    void searchOrdersUpcomingThenNewest();
    void searchFindsDatesAndSaysNoMatches_data();
    void searchFindsDatesAndSaysNoMatches();
    void searchFindsASeriesOnceAtItsNextOccurrence();
    void searchNeverLandsOnADayThatShowsNothing();
};

void TestDayOccurrences::dayListsItsOccurrences_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("descriptions");
    QTest::newRow("all-day first, then by start")
        << QDate(2024, 5, 15) << QStringList{"Trip (day 2 of 3)", "Dentist", "Yoga"};
    QTest::newRow("last day of the trip") << QDate(2024, 5, 16) << QStringList{"Trip (day 3 of 3)"};
    QTest::newRow("series inside") << QDate(2024, 5, 22) << QStringList{"Yoga"};
    QTest::newRow("series, last time") << QDate(2024, 6, 5) << QStringList{"Yoga"};
    QTest::newRow("after the series") << QDate(2024, 6, 12) << QStringList{};
    QTest::newRow("another weekday") << QDate(2024, 5, 21) << QStringList{};
}

void TestDayOccurrences::dayListsItsOccurrences() {
    QFETCH(QDate, day);
    Frame f;
    f.document().Add(appointment("Dentist", 9));
    f.document().Add(yoga());
    f.document().Add(trip());
    f.controller().SelectDate(date(day.month(), day.day()));
    QTEST(f.descriptions(), "descriptions");
    QCOMPARE(f.view().Calendar()->selectedDate(), day);
    if (day == QDate(2024, 5, 15)) {
        const QStringList rows = f.rows();
        // The trip's row says "All day"; the series shows the repeat mark beside the alarm image.
        QCOMPARE(rows[0].section(QLatin1Char('|'), 0, 0), QStringLiteral("All day"));
        QCOMPARE(rows[0].section(QLatin1Char('|'), 2), QStringLiteral("0"));
        QCOMPARE(rows[1].section(QLatin1Char('|'), 2), QStringLiteral("0"));
        QCOMPARE(rows[2].section(QLatin1Char('|'), 2), QStringLiteral("2"));
        // The series' row says its rule in words; a single appointment's says only its text.
        const RecordListModel& model = f.controller().Appointments();
        QVERIFY2(
            model.data(model.index(2, 1), Qt::ToolTipRole).toString().contains(QStringLiteral("Weekly on Wednesday")),
            qPrintable(model.data(model.index(2, 1), Qt::ToolTipRole).toString()));
        QCOMPARE(model.data(model.index(1, 1), Qt::ToolTipRole).toString(), QStringLiteral("Dentist"));
    }
}

// A birthday marks its day and stands under the date, as no row of the list; View > Show
// Birthdays takes it away and brings it back at once.
void TestDayOccurrences::birthdaysShownUntilTurnedOff() {
    Frame f;
    Person ann;
    ann.FName = "Ann";
    ann.LName = "Lee";
    ann.Birthday = "1990-05-20";
    f.document().Add(ann);
    Person bob;
    bob.FName = "Bob";
    bob.LName = "Stone";
    bob.Anniversary = "--05-20";
    f.document().Add(bob);
    f.settle();
    QVERIFY(f.marked(QDate(2024, 5, 20)));
    const QSize form = f.view().minimumSizeHint();
    f.controller().SelectDate(date(5, 20));
    QVERIFY(f.descriptions().isEmpty());
    const QLabel* line = f.view().BirthdayLine();
    QVERIFY(line->isVisible());
    QCOMPARE(line->text(), QStringLiteral("Birthday: Ann Lee (34), +1 more"));
    QCOMPARE(line->toolTip(), QStringLiteral("Birthday: Ann Lee (34)\nAnniversary: Bob Stone"));
    // The form keeps its size: the window it was sized for needs no scroll bars on a birthday.
    QCOMPARE(f.view().minimumSizeHint(), form);

    QAction* toggle = f.frame.Action(cmd::ViewBirthdays);
    QVERIFY(toggle->isCheckable() && toggle->isChecked());
    toggle->trigger();
    f.settle();
    QVERIFY(!toggle->isChecked());
    QVERIFY(!line->isVisible());
    QVERIFY(!f.marked(QDate(2024, 5, 20)));
    QCOMPARE(QSettings().value(QStringLiteral("Options/ShowBirthdays")).toInt(), 0);
    toggle->trigger();
    f.settle();
    QVERIFY(toggle->isChecked() && line->isVisible() && f.marked(QDate(2024, 5, 20)));
}

void TestDayOccurrences::calendarMarksDaysWithOccurrences() {
    Frame f;
    f.document().Add(yoga());
    f.document().Add(trip());
    f.settle();
    for (int day : {1, 8, 14, 15, 16, 22, 29})
        QVERIFY2(f.marked(QDate(2024, 5, day)), qPrintable(QString::number(day)));
    for (int day : {2, 13, 17, 21, 30})
        QVERIFY2(!f.marked(QDate(2024, 5, day)), qPrintable(QString::number(day)));
    // Today keeps its own mark as well.
    QCOMPARE(f.view().Calendar()->dateTextFormat(QDate(2024, 5, 15)).fontWeight(), int(QFont::Bold));

    // The next month's page, and a change of the document, are marked anew.
    f.view().Calendar()->setCurrentPage(2024, 6);
    QVERIFY(f.marked(QDate(2024, 6, 5)));
    QVERIFY(!f.marked(QDate(2024, 6, 12)));
    f.document().Add(appointment("Late", 18, 0, date(6, 12)));
    f.settle();
    QVERIFY(f.marked(QDate(2024, 6, 12)));
    f.document().RemoveAppointment(1);
    f.settle();
    QVERIFY(!f.marked(QDate(2024, 6, 5)));
}

void TestDayOccurrences::goToTodayByKeyMenuAndButton() {
    Frame f;
    QAction* action = f.frame.Action(cmd::ViewGoToToday);
    QCOMPARE(action->text(), QStringLiteral("&Go to Today"));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    // No other command of the window answers the same key.
    for (QAction* other : f.frame.findChildren<QAction*>())
        if (other != action && !other->shortcut().isEmpty())
            QVERIFY2(!other->shortcuts().contains(action->shortcut()), qPrintable(other->text()));
    QList<QAction*> view;
    for (QAction* menu : f.frame.menuBar()->actions())
        if (menu->text() == QStringLiteral("&View"))
            view = menu->menu()->actions();
    QVERIFY(view.contains(action));

    f.controller().SelectDate(date(3, 2, 2022));
    f.keys(Qt::CTRL | Qt::Key_T);
    QCOMPARE(f.controller().CurrentDate(), today());
    QCOMPARE(f.view().Calendar()->selectedDate(), QDate(2024, 5, 15));
    QVERIFY(f.view().Calendar()->hasFocus());

    f.controller().SelectDate(date(8, 30));
    QTest::mouseClick(f.view().TodayButton(), Qt::LeftButton);
    QCOMPARE(f.controller().CurrentDate(), today());
}

// A task overdue and open is listed today, not on its due date; a done one on the day it was done.
void TestDayOccurrences::undoShowsWhereTheRecordIsListed() {
    Frame f;
    const int overdue = *f.document().Add(task("Call the bank", date(5, 14)));
    const int done = *f.document().Add(task("Filed", date(5, 2), Task::Done, date(5, 10)));
    f.settle();
    const int row = f.controller().Tasks().RowOf(overdue);
    QVERIFY(row >= 0);
    f.controller().ClickTasks(row);
    QVERIFY(f.controller().DeleteTask());
    f.controller().SelectDate(date(5, 20));
    f.keys(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(f.controller().CurrentDate(), today());
    QCOMPARE(f.controller().Active(), ActiveList::Tasks);
    QCOMPARE(f.controller().SelectedTask().id, overdue);
    QCOMPARE(f.view().TaskList()->currentIndex().row(), f.controller().Tasks().RowOf(overdue));

    // Compact takes the done task away; undone, it shows on the day it was done.
    QCOMPARE(f.document().RemoveOldTasks(today()), std::size_t(1));
    f.keys(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(f.controller().CurrentDate(), date(5, 10));
    QCOMPARE(f.controller().SelectedTask().id, done);
    // Redo takes it again: nothing to show, the date stays.
    f.keys(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(f.controller().CurrentDate(), date(5, 10));
}

void TestDayOccurrences::undoOfASeriesShowsTheAffectedDay() {
    Frame f;
    const int series = *f.document().Add(yoga());
    f.document().SetModified(false);
    // A change of the series, undone from a day it shows: the day stays, the series is selected.
    f.controller().SelectDate(date(5, 22));
    Appointment renamed = *f.document().Appointments().Find(series);
    renamed.Description = "Yoga class";
    QVERIFY(f.document().Change(renamed));
    f.keys(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(f.controller().CurrentDate(), date(5, 22));
    QCOMPARE(f.controller().SelectedAppointment().id, series);
    // From a day after the series: its last occurrence.
    f.controller().SelectDate(date(7, 1));
    f.keys(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(f.controller().CurrentDate(), date(6, 5));
    QCOMPARE(f.controller().Active(), ActiveList::Appointments);
    QCOMPARE(f.controller().SelectedAppointment().id, series);

    // One occurrence changed (its reminder off); undone, the series shows that occurrence again.
    QVERIFY(f.document().TurnOffReminder(OccurrenceKey{series, CalendarDate::FromParts(2024, 5, 29)}));
    f.controller().SelectDate(date(1, 1, 2025));
    f.keys(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(f.controller().CurrentDate(), date(5, 29));
    QCOMPARE(f.controller().SelectedAppointment().id, series);
    // Redone, the changed occurrence is selected on its day.
    f.controller().SelectDate(date(1, 1, 2025));
    f.keys(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(f.controller().CurrentDate(), date(5, 29));
    QVERIFY(f.controller().SelectedAppointment().id != series);
    QVERIFY(f.controller().SelectedAppointment().id > 0);
}

void TestDayOccurrences::undoOfAnUnlistedRecordStaysAndSays() {
    Frame f;
    // Done in the future: listed neither on its due date in the past nor on a day done.
    const int id = *f.document().Add(task("Odd", date(5, 1), Task::Done, date(6, 1)));
    Task changed = *f.document().Tasks().Find(id);
    changed.Description = "Odd one";
    QVERIFY(f.document().Change(changed));
    f.controller().SelectDate(date(5, 20));
    f.keys(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(f.controller().CurrentDate(), date(5, 20));
    QCOMPARE(f.frame.StatusText()->text(), QStringLiteral("The task is not listed on any day."));
    QCOMPARE(f.document().Tasks().Find(id)->Description, std::string("Odd"));
}

void TestDayOccurrences::searchOrdersUpcomingThenNewest() {
    Frame f;
    f.document().Add(task("Passport old", date(1, 10, 2023), Task::Done, date(1, 10, 2023)));
    f.document().Add(task("Passport renew", date(3, 1, 2026)));
    f.document().Add(appointment("Passport office", 9, 0, date(5, 1)));
    f.document().Add(task("Passport photo", date(5, 20)));
    f.document().Add(task("Passport form", date(4, 2))); // open and overdue: listed today
    f.find(QStringLiteral("passport"));
    QCOMPARE(f.results(0),
             QStringList({"Passport form", "Passport photo", "Passport renew", "Passport office", "Passport old"}));
}

void TestDayOccurrences::searchFindsDatesAndSaysNoMatches_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("year") << "passport 2026" << QStringList{"Passport renew"};
    QTest::newRow("month and year") << "passport march 2026" << QStringList{"Passport renew"};
    QTest::newRow("iso date") << "2024-05-20" << QStringList{"Passport photo"};
    QTest::newRow("a year a series runs in") << "yoga 2024" << QStringList{"Yoga"};
    QTest::newRow("no matches") << "passport 1999" << QStringList{"No matches"};
    QTest::newRow("persons told apart") << "smith"
                                        << QStringList{"Smith, John (Springfield)", "Smith, John (Acme, Boston)"};
}

void TestDayOccurrences::searchFindsDatesAndSaysNoMatches() {
    QFETCH(QString, query);
    Frame f;
    f.document().Add(task("Passport renew", date(3, 1, 2026)));
    f.document().Add(task("Passport photo", date(5, 20)));
    f.document().Add(yoga());
    Person springfield = person("Smith, John", "");
    springfield.City = "Springfield";
    f.document().Add(springfield);
    Person boston = person("Smith, John", "Acme");
    boston.City = "Boston";
    f.document().Add(boston);
    f.find(query);
    QTEST(f.results(0), "found");
    if (query == "passport 1999") {
        // The line only says so: Enter chooses nothing and the date stays.
        QTest::keyClick(f.view().Search()->Field(), Qt::Key_Return);
        QCOMPARE(f.controller().CurrentDate(), today());
        QVERIFY(f.view().Search()->Field()->hasFocus());
    }
}

void TestDayOccurrences::searchFindsASeriesOnceAtItsNextOccurrence() {
    Frame f;
    // Mondays from 1 April; the one of 8 April has its reminder turned off (a changed occurrence).
    Appointment stretch = appointment("Stretch", 8, 0, date(4, 1));
    stretch.RRule = "FREQ=WEEKLY";
    const int series = *f.document().Add(stretch);
    QVERIFY(f.document().TurnOffReminder(OccurrenceKey{series, CalendarDate::FromParts(2024, 4, 8)}));
    QCOMPARE(f.document().Appointments().Count(), std::size_t(2));
    f.find(QStringLiteral("stretch"));
    QCOMPARE(f.results(0), QStringList{"Stretch"});
    QCOMPARE(f.results(2), QStringList{"5/20/24"});
    QTest::keyClick(f.view().Search()->Field(), Qt::Key_Return);
    QCOMPARE(f.controller().CurrentDate(), date(5, 20));
    QCOMPARE(f.controller().SelectedAppointment().id, series);
    QVERIFY(f.view().AppointmentList()->hasFocus());
}

// A record whose date is on no day is found, but choosing it keeps the date and says so.
void TestDayOccurrences::searchNeverLandsOnADayThatShowsNothing() {
    Frame f;
    Appointment nowhere = appointment("Nowhere", 9);
    nowhere.DueDate = DateTime();
    nowhere.StartTime = DateTime();
    nowhere.EndTime = DateTime();
    f.document().Add(nowhere);
    f.controller().SelectDate(date(5, 22));
    f.find(QStringLiteral("nowhere"));
    QCOMPARE(f.results(0), QStringList{"Nowhere"});
    QTest::keyClick(f.view().Search()->Field(), Qt::Key_Return);
    QCOMPARE(f.controller().CurrentDate(), date(5, 22));
    QCOMPARE(f.view().Calendar()->selectedDate(), QDate(2024, 5, 22));
    QCOMPARE(f.frame.StatusText()->text(), QStringLiteral("The appointment is not listed on any day."));
}

TAVORO_TEST_MAIN(TestDayOccurrences)
#include "TestDayOccurrences.moc"
