#include "DayRecords.h"
#include "core/DayListRows.h"
#include "core/PimRecords.h"
#include "platform/Clock.h"
#include "shell/PersonDetails.h"
#include "support/TestMain.h"

#include <QObject>

namespace {

using namespace dayrecords;

DateTime yesterday() {
    return DateTime(2024, 5, 14, 0, 0, 0);
}
DateTime tomorrow() {
    return DateTime(2024, 5, 16, 0, 0, 0);
}

QStringList firstColumn(const std::vector<ListRow>& rows) {
    QStringList texts;
    for (const ListRow& row : rows)
        texts.append(QString::fromStdString(row.columns[0]));
    return texts;
}

} // namespace

class TestDayListRows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0}); }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void tasksListedOnADay_data();
    void tasksListedOnADay();
    void taskRowShowsPriorityImageAndDueDate();
    void appointmentsOfTheDayByStartTime();
    void phoneBookFilters_data();
    void phoneBookFilters();
    void whitePagesSortByNameIgnoringCase();
    void yellowPagesSortByCompanyByteByByte();
    void personDetails_data();
    void personDetails();
};

// The three ways a task appears on a day: due that day (today or later), still open and due up to
// today (today only), or completed that day (today or earlier).
void TestDayListRows::tasksListedOnADay_data() {
    QTest::addColumn<int>("dayOffset"); // selected day relative to today
    QTest::addColumn<int>("dueOffset");
    QTest::addColumn<int>("priority");
    QTest::addColumn<int>("doneOffset"); // ignored unless done
    QTest::addColumn<bool>("listed");

    QTest::newRow("today: due today, open") << 0 << 0 << 1 << 0 << true;
    QTest::newRow("today: due today, done earlier") << 0 << 0 << 3 << -2 << true;
    QTest::newRow("today: due yesterday, open") << 0 << -1 << 2 << 0 << true;
    QTest::newRow("today: due last year, open") << 0 << -400 << 0 << 0 << true;
    QTest::newRow("today: due yesterday, done today") << 0 << -1 << 3 << 0 << true;
    QTest::newRow("today: due yesterday, done yesterday") << 0 << -1 << 3 << -1 << false;
    QTest::newRow("today: due tomorrow") << 0 << 1 << 0 << 0 << false;
    QTest::newRow("tomorrow: due tomorrow, open") << 1 << 1 << 0 << 0 << true;
    QTest::newRow("tomorrow: due tomorrow, done") << 1 << 1 << 3 << 0 << true;
    QTest::newRow("tomorrow: due yesterday, open") << 1 << -1 << 0 << 0 << false;
    QTest::newRow("tomorrow: due today, open") << 1 << 0 << 0 << 0 << false;
    QTest::newRow("yesterday: done yesterday") << -1 << -3 << 3 << -1 << true;
    QTest::newRow("yesterday: due yesterday, open") << -1 << -1 << 0 << 0 << false;
    QTest::newRow("yesterday: due yesterday, done today") << -1 << -1 << 3 << 0 << false;
    QTest::newRow("yesterday: due today, done yesterday") << -1 << 0 << 3 << -1 << true;
}

void TestDayListRows::tasksListedOnADay() {
    QFETCH(int, dayOffset);
    QFETCH(int, dueOffset);
    QFETCH(int, priority);
    QFETCH(int, doneOffset);
    QFETCH(bool, listed);

    const DateTime now = DateTime::Today();
    QCOMPARE(now, today());
    PimRecords records;
    records.Tasks.Add(task("the task", now + DateTimeSpan(dueOffset), priority,
                           priority == 3 ? now + DateTimeSpan(doneOffset) : DateTime()));
    const auto rows = DayListRows::Tasks(records, now + DateTimeSpan(dayOffset), now);
    QCOMPARE(rows.size(), listed ? 1u : 0u);
}

void TestDayListRows::taskRowShowsPriorityImageAndDueDate() {
    PimRecords records;
    records.Tasks.Add(task("high", today(), 0));
    records.Tasks.Add(task("low, overdue", yesterday(), 2));
    records.Tasks.Add(task("done", yesterday(), 3, today()));
    const auto rows = DayListRows::Tasks(records, today(), today());
    QCOMPARE(firstColumn(rows), (QStringList{"high", "low, overdue", "done"}));
    QCOMPARE(rows[0].image, 0);
    QCOMPARE(rows[1].image, 2);
    QCOMPARE(rows[2].image, 3);
    QCOMPARE(rows[1].id, 2);
    // The second column is the original due date, also for a task completed today.
    QCOMPARE(QString::fromStdString(rows[0].columns[1]), QStringLiteral("5/15/24"));
    QCOMPARE(QString::fromStdString(rows[2].columns[1]), QStringLiteral("5/14/24"));
}

void TestDayListRows::appointmentsOfTheDayByStartTime() {
    PimRecords records;
    records.Appointments.Add(appointment("two", 14, 0));
    Appointment nine = appointment("nine", 9, 5);
    nine.Alarm = 1;
    records.Appointments.Add(nine);
    records.Appointments.Add(appointment("tomorrow", 8, 0, tomorrow()));
    records.Appointments.Add(appointment("half past eleven", 11, 30));
    const auto rows = DayListRows::Appointments(records, today());
    QStringList descriptions;
    for (const ListRow& row : rows)
        descriptions.append(QString::fromStdString(row.columns[1]));
    QCOMPARE(descriptions, (QStringList{"nine", "half past eleven", "two"}));
    QCOMPARE(rows[0].id, 2);
    QCOMPARE(firstColumn(rows), (QStringList{"9:05 AM-10:05 AM", "11:30 AM-12:30 PM", "2:00 PM-3:00 PM"}));
    QCOMPARE(rows[0].image, 1);
    QCOMPARE(rows[1].image, 0);
}

void TestDayListRows::phoneBookFilters_data() {
    QTest::addColumn<int>("white");
    QTest::addColumn<int>("yellow");
    QTest::addColumn<bool>("inWhitePages");
    QTest::addColumn<bool>("inYellowPages");
    QTest::newRow("white only") << 1 << 0 << true << false;
    QTest::newRow("yellow only") << 0 << 1 << false << true;
    QTest::newRow("both") << 1 << 1 << true << true;
    QTest::newRow("neither") << 0 << 0 << false << false;
}

void TestDayListRows::phoneBookFilters() {
    QFETCH(int, white);
    QFETCH(int, yellow);
    QFETCH(bool, inWhitePages);
    QFETCH(bool, inYellowPages);
    PimRecords records;
    records.Persons.Add(person("Doe, Jane", "Acme", white, yellow));
    QCOMPARE(DayListRows::PhoneBook(records, true).size(), inWhitePages ? 1u : 0u);
    QCOMPARE(DayListRows::PhoneBook(records, false).size(), inYellowPages ? 1u : 0u);
}

void TestDayListRows::whitePagesSortByNameIgnoringCase() {
    PimRecords records;
    records.Persons.Add(person("miller, ann", "", 1, 0));
    records.Persons.Add(person("Baker, Bo", "", 1, 0));
    records.Persons.Add(person("adams, cy", "", 1, 0));
    records.Persons.Add(person("Miller, Al", "", 1, 0));
    records.Persons.Add(person("\xc3\x89mile, Zo\xc3\xab", "", 1, 0)); // UTF-8 "Émile, Zoë"
    records.Persons.Add(person("\xc3\xa9mile, Ann", "", 1, 0));        // UTF-8 "émile, Ann"
    const auto rows = DayListRows::PhoneBook(records, true);
    QCOMPARE(firstColumn(rows), (QStringList{"adams, cy", "Baker, Bo", "Miller, Al", "miller, ann", "\xc3\xa9mile, Ann",
                                             "\xc3\x89mile, Zo\xc3\xab"}));
    QCOMPARE(rows[0].id, 3);
}

void TestDayListRows::yellowPagesSortByCompanyByteByByte() {
    PimRecords records;
    records.Persons.Add(person("One", "apple", 0, 1));
    records.Persons.Add(person("Two", "Zebra", 0, 1));
    records.Persons.Add(person("Three", "Zebra Logistics", 0, 1));
    records.Persons.Add(person("Four", "", 0, 1));
    const auto rows = DayListRows::PhoneBook(records, false);
    QStringList companies;
    for (const ListRow& row : rows)
        companies.append(QString::fromStdString(row.columns[1]));
    QCOMPARE(companies, (QStringList{"", "Zebra", "Zebra Logistics", "apple"}));
}

void TestDayListRows::personDetails_data() {
    QTest::addColumn<QString>("wkPhone");
    QTest::addColumn<QString>("wkExt");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("phone and extension") << "555-0100"
                                         << "12"
                                         << "555-0100x12" << true;
    QTest::newRow("phone alone") << "555-0100"
                                 << ""
                                 << "555-0100" << true;
    QTest::newRow("extension alone") << ""
                                     << "12"
                                     << "Not Available" << false;
}

void TestDayListRows::personDetails() {
    QFETCH(QString, wkPhone);
    QFETCH(QString, wkExt);
    QFETCH(QString, shown);
    QFETCH(bool, enabled);
    Person p;
    p.WkPhone = wkPhone.toStdString();
    p.WkExt = wkExt.toStdString();
    p.Fax = "555-0199";
    const PersonDetails details = PersonDetails::Of(&p);
    QCOMPARE(details.values[PersonDetails::WorkPhone], (PersonDetails::Value{shown, enabled}));
    QCOMPARE(details.values[PersonDetails::Fax], (PersonDetails::Value{"555-0199", true}));
    QCOMPARE(details.values[PersonDetails::HomePhone], (PersonDetails::Value{"Not Available", false}));
    for (const PersonDetails::Value& value : PersonDetails::Of(nullptr).values)
        QCOMPARE(value, (PersonDetails::Value{"Not Available", false}));
}

TAVORO_TEST_MAIN(TestDayListRows)
#include "TestDayListRows.moc"
