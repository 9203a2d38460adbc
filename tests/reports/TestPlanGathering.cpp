#include "ReportFixtures.h"
#include "reports/CalendarMonth.h"
#include "reports/PersonGathering.h"
#include "reports/PlanGathering.h"
#include "support/TestMain.h"

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
    void weekIsHalfOpen();
    void monthTakesOnlyItsOwnYear();
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

using fixtures::appointmentAt;
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

void TestPlanGathering::weekIsHalfOpen() {
    // Tasks, then appointments, each in the collection's order, not by date.
    PimRecords records;
    records.Tasks.Add(taskDue(DateTime(2003, 3, 8, 10, 0, 0), "saturday morning"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 1, 23, 59, 59), "saturday before"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 2, 0, 0, 0), "sunday"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 9, 0, 0, 0), "next sunday"));
    records.Tasks.Add(taskDue(DateTime(), "no date"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 8, 23, 59, 59), "saturday night"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 9, 0, 0, 0), "next sunday"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 3, 0, 0, 0), "monday"));
    QCOMPARE(descriptions(PlanGathering::Week(records, DateTime(2003, 3, 5, 0, 0, 0))),
             (QStringList{"saturday morning", "sunday", "saturday night", "monday"}));
}

void TestPlanGathering::monthTakesOnlyItsOwnYear() {
    PimRecords records;
    records.Tasks.Add(taskDue(DateTime(2002, 3, 15, 0, 0, 0), "a year before"));
    records.Tasks.Add(taskDue(DateTime(2003, 2, 28, 23, 59, 59), "february"));
    records.Tasks.Add(taskDue(DateTime(2003, 3, 1, 0, 0, 0), "first"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 3, 31, 23, 59, 59), "last"));
    records.Appointments.Add(appointmentAt(DateTime(2003, 4, 1, 0, 0, 0), "april"));
    QCOMPARE(descriptions(PlanGathering::Month(records, DateTime(2003, 3, 5, 0, 0, 0))),
             (QStringList{"first", "last"}));
    // December's month runs into the next year.
    records.Tasks.Add(taskDue(DateTime(2003, 12, 31, 18, 0, 0), "new year's eve"));
    records.Tasks.Add(taskDue(DateTime(2004, 1, 1, 0, 0, 0), "new year"));
    QCOMPARE(descriptions(PlanGathering::Month(records, DateTime(2003, 12, 1, 0, 0, 0))),
             (QStringList{"new year's eve"}));
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
