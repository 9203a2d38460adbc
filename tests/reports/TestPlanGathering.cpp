#include "ReportFixtures.h"
#include "core/DayListRows.h"
#include "reports/CalendarMonth.h"
#include "reports/DailyGathering.h"
#include "reports/DailyTable.h"
#include "reports/DayEntries.h"
#include "reports/PersonGathering.h"
#include "reports/PlanGathering.h"
#include "support/TestMain.h"
#include "support/ZoneScope.h"

#include <QDateTime>
#include <QObject>

class TestPlanGathering : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void monthsWrapAcrossYears_data();
    void monthsWrapAcrossYears();
    void monthLength_data();
    void monthLength();
    void weekStart_data();
    void weekStart();
    void weekRunsSundayToSaturday();
    void monthTakesOnlyItsOwnYear();
    void occurrencesOnTheirDays_data();
    void occurrencesOnTheirDays();
    void eachOccurrenceGatheredOnce();
    void dailyRowsOfOccurrences_data();
    void dailyRowsOfOccurrences();
    void dueDatesAreCalendarDays_data();
    void dueDatesAreCalendarDays();
    void choosingRefillsOnlyItsOwnRecords();
    void listedPersons_data();
    void listedPersons();
};

void TestPlanGathering::monthsWrapAcrossYears_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("expectedYear");
    QTest::addColumn<int>("expectedMonth");
    QTest::newRow("same") << 2003 << 3 << 0 << 2003 << 3;
    QTest::newRow("before January") << 2003 << 1 << -1 << 2002 << 12;
    QTest::newRow("after November") << 2003 << 11 << 2 << 2004 << 1;
    QTest::newRow("after December") << 2003 << 12 << 1 << 2004 << 1;
    QTest::newRow("two after December") << 2003 << 12 << 2 << 2004 << 2;
    QTest::newRow("fifteen back") << 2003 << 3 << -15 << 2001 << 12;
    QTest::newRow("twenty-five on") << 2003 << 3 << 25 << 2005 << 4;
}

void TestPlanGathering::monthsWrapAcrossYears() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, step);
    QFETCH(int, expectedYear);
    QFETCH(int, expectedMonth);
    const CalendarMonth result = CalendarMonth{year, month}.Plus(step);
    QCOMPARE(result.year, expectedYear);
    QCOMPARE(result.month, expectedMonth);
}

void TestPlanGathering::monthLength_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::newRow("February 2000") << 2000 << 2 << 29;
    QTest::newRow("February 2100") << 2100 << 2 << 28;
    QTest::newRow("February 2004") << 2004 << 2 << 29;
    QTest::newRow("February 2003") << 2003 << 2 << 28;
    QTest::newRow("April") << 2003 << 4 << 30;
    QTest::newRow("December") << 2003 << 12 << 31;
}

void TestPlanGathering::monthLength() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QCOMPARE((CalendarMonth{year, month}.DayCount()), days);
}

void TestPlanGathering::weekStart_data() {
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Wednesday") << QDateTime(QDate(2003, 3, 5), QTime(0, 0)) << "2003-03-02 00:00";
    QTest::newRow("Sunday") << QDateTime(QDate(2003, 3, 2), QTime(0, 0)) << "2003-03-02 00:00";
    QTest::newRow("Saturday night") << QDateTime(QDate(2003, 3, 8), QTime(23, 30)) << "2003-03-02 00:00";
    QTest::newRow("across the year") << QDateTime(QDate(2004, 1, 1), QTime(0, 0)) << "2003-12-28 00:00";
    QTest::newRow("across the month") << QDateTime(QDate(2003, 4, 2), QTime(0, 0)) << "2003-03-30 00:00";
    QTest::newRow("before 1900") << QDateTime(QDate(1899, 12, 30), QTime(12, 0)) << "1899-12-24 00:00";
}

void TestPlanGathering::weekStart() {
    QFETCH(QDateTime, date);
    QFETCH(QString, expected);
    const DateTime value(date.date().year(), date.date().month(), date.date().day(), date.time().hour(),
                         date.time().minute(), 0);
    QCOMPARE(QString::fromStdString(PlanGathering::WeekStart(value).Format("%Y-%m-%d %H:%M")), expected);
}

namespace {

using fixtures::allDays;
using fixtures::appointmentAt;
using fixtures::seriesFrom;
using fixtures::taskDue;

QStringList descriptions(const PlanRecords& records) {
    QStringList result;
    for (const Task& task : records.tasks)
        result << QString::fromStdString(task.Description);
    for (const Appointment& appointment : records.appointments)
        result << QString::fromStdString(appointment.Description);
    return result;
}

} // namespace

void TestPlanGathering::weekRunsSundayToSaturday() {
    // Tasks in the collection's order, not by date; a task is due on a day, an appointment is on the
    // day it starts.
    PimRecords records;
    records.Tasks.Add(taskDue(DateTime(2003, 3, 8, 10, 0, 0), "saturday morning"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 1, 0, 0, 0), "saturday before"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 2, 0, 0, 0), "sunday"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 9, 0, 0, 0), "next sunday"));
    records.Tasks.Add(taskDue(DateTime(), "no date"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 8, 23, 59, 59), "saturday night"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 9, 0, 0, 0), "next sunday"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 3, 0, 0, 0), "monday"));
    // Appointments in the order the days list them.
    QCOMPARE(descriptions(PlanGathering::Week(records, DateTime(2003, 3, 5, 0, 0, 0))),
             (QStringList{"saturday morning", "sunday", "monday", "saturday night"}));
}

void TestPlanGathering::monthTakesOnlyItsOwnYear() {
    PimRecords records;
    records.Tasks.Add(taskDue(DateTime(2002, 3, 15, 0, 0, 0), "a year before"));
    records.Tasks.Add(taskDue(DateTime(2003, 2, 28, 0, 0, 0), "february"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 1, 0, 0, 0), "first"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 31, 23, 59, 59), "last"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 4, 1, 0, 0, 0), "april"));
    QCOMPARE(descriptions(PlanGathering::Month(records, DateTime(2003, 3, 5, 0, 0, 0))),
             (QStringList{"first", "last"}));
    // December's month runs into the next year.
    records.Tasks.Add(taskDue(DateTime(2003, 12, 31, 0, 0, 0), "new year's eve"));
    records.Tasks.Add(taskDue(DateTime(2004, 1, 1, 0, 0, 0), "new year"));
    QCOMPARE(descriptions(PlanGathering::Month(records, DateTime(2003, 12, 1, 0, 0, 0))),
             (QStringList{"new year's eve"}));
}

namespace {

// Two weeks of March 2003 (Sunday 2 to Saturday 15): a series on Mondays and Thursdays with one
// Thursday left out and one Monday moved, a night shift past midnight, a trip over a weekend.
PimRecords busyWeeks() {
    PimRecords records;
    Appointment standup = seriesFrom(DateTime(2003, 2, 3, 9, 0, 0), 15, "FREQ=WEEKLY;BYDAY=MO,TH", "Standup");
    standup.ExDates = {CalendarDate::FromParts(2003, 3, 6)};
    const int series = records.Appointments.Add(standup).value_or(0);
    Appointment moved = appointmentAt(DateTime(2003, 3, 3, 11, 0, 0), "Standup, moved");
    moved.SeriesID = series;
    moved.OriginalDate = CalendarDate::FromParts(2003, 3, 3);
    records.Appointments.Add(moved);
    Appointment night = appointmentAt(DateTime(2003, 3, 4, 23, 0, 0), "Night shift");
    night.EndTime = DateTime(2003, 3, 5, 2, 0, 0);
    records.Appointments.Add(night);
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 4, 8, 0, 0), "Dentist"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 7, 7, 0, 0), "Breakfast"));
    records.Appointments.Add(allDays(DateTime(2003, 3, 7, 0, 0, 0), 3, "Trip"));
    records.Appointments.Add(allDays(DateTime(2003, 3, 14, 0, 0, 0), 1, "Holiday"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 4, 0, 0, 0), "Pack"));
    return records;
}

// The texts with their no-break spaces as plain ones.
QStringList plain(QStringList texts) {
    for (QString& text : texts)
        text.replace(QChar(0x00a0), QLatin1Char(' '));
    return texts;
}

} // namespace

void TestPlanGathering::occurrencesOnTheirDays_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("Sunday") << QDate(2003, 3, 2) << QStringList{};
    QTest::newRow("moved Monday") << QDate(2003, 3, 3) << QStringList{"11:00 AM Standup, moved"};
    QTest::newRow("into the night") << QDate(2003, 3, 4)
                                    << QStringList{"8:00 AM Dentist", "11:00 PM Night shift (day 1 of 2)", "Pack"};
    QTest::newRow("continuing") << QDate(2003, 3, 5) << QStringList{"Night shift (day 2 of 2)"};
    QTest::newRow("left out") << QDate(2003, 3, 6) << QStringList{};
    QTest::newRow("all day first") << QDate(2003, 3, 7) << QStringList{"Trip (day 1 of 3)", "7:00 AM Breakfast"};
    QTest::newRow("Saturday") << QDate(2003, 3, 8) << QStringList{"Trip (day 2 of 3)"};
    QTest::newRow("next week's Sunday") << QDate(2003, 3, 9) << QStringList{"Trip (day 3 of 3)"};
    QTest::newRow("next Monday") << QDate(2003, 3, 10) << QStringList{"9:00 AM Standup"};
    QTest::newRow("one all day") << QDate(2003, 3, 14) << QStringList{"Holiday"};
}

void TestPlanGathering::occurrencesOnTheirDays() {
    QFETCH(QDate, day);
    QFETCH(QStringList, texts);
    const PimRecords records = busyWeeks();
    const DateTime selected(day.year(), day.month(), day.day(), 0, 0, 0);
    const CalendarDate date = CalendarDate::Of(selected);
    // The weekly plan of the day's week and the monthly plan of March list the day alike.
    const CalendarDate sunday = CalendarDate::Of(PlanGathering::WeekStart(selected));
    PlanRecords week = PlanGathering::Week(records, selected);
    QCOMPARE(plain(DayEntries(week.tasks, week.appointments, sunday, sunday + 6).Texts(date)), texts);
    PlanRecords month = PlanGathering::Month(records, selected);
    QCOMPARE(plain(DayEntries(month.tasks, month.appointments, CalendarDate::FromParts(2003, 3, 1),
                              CalendarDate::FromParts(2003, 3, 31))
                       .Texts(date)),
             texts);
}

void TestPlanGathering::eachOccurrenceGatheredOnce() {
    // The trip covers three days of the week but is one occurrence; the series gives a copy at each
    // occurrence's own times, repeating no more.
    const PlanRecords week = PlanGathering::Week(busyWeeks(), DateTime(2003, 3, 12, 0, 0, 0));
    QCOMPARE(descriptions(week), (QStringList{"Trip", "Standup", "Standup", "Holiday"}));
    const Appointment& thursday = week.appointments[2];
    QCOMPARE(thursday.StartTime, DateTime(2003, 3, 13, 9, 0, 0));
    QCOMPARE(thursday.EndTime, DateTime(2003, 3, 13, 9, 15, 0));
    QVERIFY(!thursday.Repeats());
    QCOMPARE(thursday.ID, 1);
}

void TestPlanGathering::dailyRowsOfOccurrences_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("a series' occurrence at its own time")
        << QDate(2003, 3, 10) << QStringList{"9:00 AM|9:15 AM|Standup"};
    QTest::newRow("the moved one") << QDate(2003, 3, 3) << QStringList{"11:00 AM|11:00 AM|Standup, moved"};
    QTest::newRow("continuing") << QDate(2003, 3, 5) << QStringList{"11:00 PM|2:00 AM|Night shift (day 2 of 2)"};
    QTest::newRow("all day first") << QDate(2003, 3, 7)
                                   << QStringList{"All day||Trip (day 1 of 3)", "7:00 AM|7:00 AM|Breakfast"};
}

void TestPlanGathering::dailyRowsOfOccurrences() {
    // The daily reports print the day view's rows: each row of a series is its occurrence that day.
    QFETCH(QDate, day);
    QFETCH(QStringList, rows);
    const PimRecords records = busyWeeks();
    const DateTime selected(day.year(), day.month(), day.day(), 0, 0, 0);
    std::vector<ListedRow> listed;
    for (const ListRow& row : DayListRows::Appointments(records, selected))
        listed.push_back({row.id, row.columns[1]});
    const DailyTable table = DailyTable::OfAppointments(
        DailyGathering::Appointments(records, listed, CalendarDate::Of(selected)), CalendarDate::Of(selected));
    QStringList printed;
    for (const QStringList& row : table.rows)
        printed << row.join(QLatin1Char('|'));
    QCOMPARE(plain(printed), rows);
}

void TestPlanGathering::dueDatesAreCalendarDays_data() {
    QTest::addColumn<QByteArray>("writtenIn");
    QTest::addColumn<QByteArray>("printedIn");
    QTest::newRow("UTC file in Berlin") << QByteArray("UTC") << QByteArray("Europe/Berlin");
    QTest::newRow("UTC file in New York") << QByteArray("UTC") << QByteArray("America/New_York");
    QTest::newRow("Berlin file in UTC") << QByteArray("Europe/Berlin") << QByteArray("UTC");
    QTest::newRow("Berlin file in Los Angeles") << QByteArray("Europe/Berlin") << QByteArray("America/Los_Angeles");
}

void TestPlanGathering::dueDatesAreCalendarDays() {
    QFETCH(QByteArray, writtenIn);
    QFETCH(QByteArray, printedIn);
    // A date is stored as the seconds of its midnight where the file was written.
    const int days[] = {1, 2, 8, 9};
    std::vector<std::int64_t> stored;
    {
        ZoneScope writer(writtenIn);
        for (int d : days)
            stored.push_back(DateTime(2003, 3, d, 0, 0, 0).ToSeconds());
    }
    ZoneScope reader(printedIn);
    PimRecords records;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const std::string name = "due " + std::to_string(days[i]);
        records.Tasks.Add(taskDue(DateTime::FromSeconds(stored[i]), name.c_str()));
        Appointment trip = allDays(DateTime(2003, 3, 1, 0, 0, 0), 1, ("all day " + std::to_string(days[i])).c_str());
        trip.DueDate = trip.StartTime = trip.EndTime = DateTime::FromSeconds(stored[i]);
        records.Appointments.Add(trip);
    }
    // The week of Sunday 2 to Saturday 8 March takes the 2nd and the 8th, each on its own day.
    const PlanRecords week = PlanGathering::Week(records, DateTime(2003, 3, 5, 0, 0, 0));
    QCOMPARE(descriptions(week), (QStringList{"due 2", "due 8", "all day 2", "all day 8"}));
    const CalendarDate sunday = CalendarDate::FromParts(2003, 3, 2);
    const DayEntries entries(week.tasks, week.appointments, sunday, sunday + 6);
    QCOMPARE(entries.Texts(sunday), (QStringList{"all day 2", "due 2"}));
    QCOMPARE(entries.Texts(sunday + 6), (QStringList{"all day 8", "due 8"}));
    QCOMPARE(descriptions(PlanGathering::Month(records, DateTime(2003, 3, 5, 0, 0, 0))).size(), 8);
}

void TestPlanGathering::choosingRefillsOnlyItsOwnRecords() {
    PimRecords records;
    records.Tasks.Add(taskDue(DateTime(2003, 3, 4, 0, 0, 0), "this week"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 20, 0, 0, 0), "this month"));
    ReportSelection selection;
    selection.AddressBookPersons.resize(2);
    selection.Appointments.resize(5);
    PlanGathering::Choose(selection, ReportKind::WeeklyPlan, records, DateTime(2003, 3, 5, 0, 0, 0));
    QCOMPARE(selection.Kind, ReportKind::WeeklyPlan);
    QCOMPARE(selection.SelectedDate, DateTime(2003, 3, 5, 0, 0, 0));
    QCOMPARE(selection.Tasks.size(), std::size_t(1));
    QVERIFY(selection.Appointments.empty());
    QCOMPARE(selection.AddressBookPersons.size(), std::size_t(2));
    PlanGathering::Choose(selection, ReportKind::MonthlyPlan, records, DateTime(2003, 3, 5, 0, 0, 0));
    QCOMPARE(selection.Kind, ReportKind::MonthlyPlan);
    QCOMPARE(selection.Tasks.size(), std::size_t(2));

    PersonGathering::Choose(selection, ReportKind::Envelopes, std::vector<Person>(3), false, true);
    QCOMPARE(selection.Kind, ReportKind::Envelopes);
    QCOMPARE(selection.EnvelopePersons.size(), std::size_t(3));
    QVERIFY(selection.YellowPages && !selection.WhitePages);
    QCOMPARE(selection.AddressBookPersons.size(), std::size_t(2));
    // A kind that is not theirs changes nothing.
    PlanGathering::Choose(selection, ReportKind::DailyTasks, records, DateTime(2004, 1, 1, 0, 0, 0));
    PersonGathering::Choose(selection, ReportKind::WeeklyPlan, {}, true, false);
    QCOMPARE(selection.Kind, ReportKind::Envelopes);
    QCOMPARE(selection.Tasks.size(), std::size_t(2));
}

void TestPlanGathering::listedPersons_data() {
    QTest::addColumn<bool>("white");
    QTest::addColumn<bool>("yellow");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("white pages") << true << false << QList<int>{1, 3};
    QTest::newRow("yellow pages") << false << true << QList<int>{2, 3};
    QTest::newRow("both, each once") << true << true << QList<int>{1, 2, 3};
    QTest::newRow("neither") << false << false << QList<int>{};
}

void TestPlanGathering::listedPersons() {
    QFETCH(bool, white);
    QFETCH(bool, yellow);
    QFETCH(QList<int>, ids);
    RecordCollection<Person> persons;
    const int flags[][2] = {{1, 0}, {0, 1}, {1, 1}, {0, 0}};
    for (const auto& [w, y] : flags) {
        Person p;
        p.WhitePages = w;
        p.YellowPages = y;
        persons.Add(p);
    }
    QList<int> listed;
    for (const Person& p : PersonGathering::Listed(persons, white, yellow))
        listed << p.ID;
    QCOMPARE(listed, ids);
}

TAVORO_TEST_MAIN(TestPlanGathering)
#include "TestPlanGathering.moc"
