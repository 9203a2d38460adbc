#include "core/DayListRows.h"
#include "core/OccurrenceIndex.h"
#include "core/PimRecords.h"
#include "support/TestMain.h"
#include "support/ZoneScope.h"

#include <QObject>

#include <cstdlib>
#include <ctime>

namespace {

CalendarDate day(int y, int m, int d) {
    return CalendarDate::FromParts(y, m, d);
}

Appointment timed(const char* description, const DateTime& start, int minutes) {
    Appointment a;
    a.Description = description;
    a.DueDate = start.Date();
    a.StartTime = start;
    a.EndTime = start + DateTimeSpan(0, 0, minutes, 0);
    a.AlarmTime = a.StartTime;
    return a;
}

Appointment allDay(const char* description, CalendarDate first, CalendarDate last = {}) {
    Appointment a = timed(description, first.Midnight(), 0);
    a.AllDay = 1;
    a.EndDate = last;
    return a;
}

// "2025-03-10 10:00-11:00 Team meeting [1/1]", one line per listed day.
QStringList listing(OccurrenceIndex& index, const PimRecords& records, CalendarDate from, CalendarDate to) {
    QStringList lines;
    for (const DayOccurrence& listed : index.Between(records, from, to)) {
        const Occurrence& o = listed.occurrence;
        const QString time = o.allDay ? QStringLiteral("all day")
                                      : QString::fromStdString(o.start.Format("%H:%M") + "-" + o.end.Format("%H:%M"));
        lines << QStringLiteral("%1 %2 %3 [%4/%5]")
                     .arg(QString::fromStdString(listed.day.Iso()), time,
                          QString::fromStdString(records.Appointments.Find(o.id)->Description))
                     .arg(listed.dayNumber)
                     .arg(listed.dayCount);
    }
    return lines;
}

QStringList listing(const PimRecords& records, CalendarDate from, CalendarDate to) {
    OccurrenceIndex index;
    return listing(index, records, from, to);
}

} // namespace

class TestOccurrences : public QObject {
    Q_OBJECT
private slots:
    void dayOfATimeIsItsCalendarDay();
    void storedDatesAreCalendarDays_data();
    void storedDatesAreCalendarDays();
    void rules_data();
    void rules();
    void exclusionsAndChangedOccurrences();
    void daysCoveredAndOrder();
    void zonedSeriesAcrossTheChanges_data();
    void zonedSeriesAcrossTheChanges();
    void indexFollowsChanges();
    void dayViewRows();
};

// The day of a date-time is the one its own parts name, before 1899 and at the edge of midnight too.
void TestOccurrences::dayOfATimeIsItsCalendarDay() {
    for (double value : {0.0, 0.25, 45000.999999, 45000.99999999, -1.25, -1.0, -0.5, -657434.0, 2958465.0}) {
        const DateTime time = DateTime::FromDouble(value);
        QCOMPARE(CalendarDate::Of(time), CalendarDate::FromParts(time.Year(), time.Month(), time.Day()));
    }
    QVERIFY(!CalendarDate::Of(DateTime()).IsValid());
    QCOMPARE(CalendarDate::Parse("20250310"), std::optional<CalendarDate>(day(2025, 3, 10)));
    QCOMPARE(CalendarDate::Parse("2025-03-10"), std::optional<CalendarDate>(day(2025, 3, 10)));
    QVERIFY(!CalendarDate::Parse("20250230").has_value());
    QCOMPARE(day(2024, 2, 28) + 1, day(2024, 2, 29));
    QCOMPARE(day(2025, 3, 10).Compact(), std::string("20250310"));
}

// A date written as its midnight in one zone reads as the same day in another.
void TestOccurrences::storedDatesAreCalendarDays_data() {
    QTest::addColumn<QByteArray>("writer");
    QTest::addColumn<QByteArray>("reader");
    QTest::newRow("UTC to Berlin") << QByteArray("UTC") << QByteArray("Europe/Berlin");
    QTest::newRow("Berlin to UTC") << QByteArray("Europe/Berlin") << QByteArray("UTC");
    QTest::newRow("Berlin to New York") << QByteArray("Europe/Berlin") << QByteArray("America/New_York");
    QTest::newRow("New York to Berlin") << QByteArray("America/New_York") << QByteArray("Europe/Berlin");
    QTest::newRow("Tokyo to Berlin") << QByteArray("Asia/Tokyo") << QByteArray("Europe/Berlin");
}

void TestOccurrences::storedDatesAreCalendarDays() {
    QFETCH(QByteArray, writer);
    QFETCH(QByteArray, reader);
    for (const CalendarDate& date : {day(2025, 3, 30), day(2025, 7, 1), day(2025, 10, 26), day(1969, 12, 31)}) {
        std::int64_t seconds = 0;
        {
            const ZoneScope zone(writer);
            seconds = date.Midnight().ToSeconds();
        }
        const ZoneScope zone(reader);
        QCOMPARE(CalendarDate::OfStoredDate(DateTime::FromSeconds(seconds)), date);
    }
}

void TestOccurrences::rules_data() {
    QTest::addColumn<Appointment>("series");
    QTest::addColumn<CalendarDate>("from");
    QTest::addColumn<CalendarDate>("to");
    QTest::addColumn<QStringList>("expected");

    Appointment weekly = timed("Standup", DateTime(2025, 3, 3, 9, 7, 0), 15);
    weekly.RRule = "FREQ=WEEKLY;BYDAY=MO,TH;COUNT=4";
    QTest::newRow("weekly on two days, counted, kept to the minute")
        << weekly << day(2025, 3, 1) << day(2025, 3, 31)
        << QStringList{"2025-03-03 09:07-09:22 Standup [1/1]", "2025-03-06 09:07-09:22 Standup [1/1]",
                       "2025-03-10 09:07-09:22 Standup [1/1]", "2025-03-13 09:07-09:22 Standup [1/1]"};

    Appointment lastFriday = timed("Review", DateTime(2025, 1, 31, 16, 0, 0), 60);
    lastFriday.RRule = "FREQ=MONTHLY;BYDAY=-1FR";
    QTest::newRow("monthly on the last Friday")
        << lastFriday << day(2025, 2, 1) << day(2025, 5, 31)
        << QStringList{"2025-02-28 16:00-17:00 Review [1/1]", "2025-03-28 16:00-17:00 Review [1/1]",
                       "2025-04-25 16:00-17:00 Review [1/1]", "2025-05-30 16:00-17:00 Review [1/1]"};

    Appointment birthday = allDay("Birthday", day(1992, 2, 29));
    birthday.RRule = "FREQ=YEARLY";
    QTest::newRow("yearly, on the 29th of February only when there is one")
        << birthday << day(2025, 1, 1) << day(2028, 12, 31) << QStringList{"2028-02-29 all day Birthday [1/1]"};

    Appointment course = allDay("Course", day(2025, 3, 10), day(2025, 3, 12));
    course.RRule = "FREQ=MONTHLY;UNTIL=20250410";
    QTest::newRow("three whole days a month, until a date")
        << course << day(2025, 3, 11) << day(2025, 5, 31)
        << QStringList{"2025-03-11 all day Course [2/3]", "2025-03-12 all day Course [3/3]",
                       "2025-04-10 all day Course [1/3]", "2025-04-11 all day Course [2/3]",
                       "2025-04-12 all day Course [3/3]"};

    Appointment night = timed("Night shift", DateTime(2025, 3, 28, 23, 0, 0), 180);
    night.RRule = "FREQ=DAILY;INTERVAL=2";
    QTest::newRow("23:00-02:00 every other day, over the night the clocks go forward")
        << night << day(2025, 3, 29) << day(2025, 3, 31)
        << QStringList{"2025-03-29 23:00-02:00 Night shift [2/2]", "2025-03-30 23:00-02:00 Night shift [1/2]",
                       "2025-03-31 23:00-02:00 Night shift [2/2]"};

    Appointment added = weekly;
    added.Description = "Added";
    added.RDates = {day(2025, 3, 4), day(2025, 3, 6), day(2025, 3, 25), day(2025, 2, 1)};
    added.ExDates = {day(2025, 3, 10), day(2025, 3, 25)};
    QTest::newRow("added dates, one the rule gives, one left out, one before the start")
        << added << day(2025, 3, 1) << day(2025, 3, 31)
        << QStringList{"2025-03-03 09:07-09:22 Added [1/1]", "2025-03-04 09:07-09:22 Added [1/1]",
                       "2025-03-06 09:07-09:22 Added [1/1]", "2025-03-13 09:07-09:22 Added [1/1]"};

    Appointment only = timed("Dates alone", DateTime(2025, 3, 28, 10, 0, 0), 60);
    only.TimeZone = "America/New_York";
    only.RDates = {day(2025, 4, 4)};
    QTest::newRow("added dates alone, at the time of day of the series' zone")
        << only << day(2025, 3, 1) << day(2025, 4, 30)
        << QStringList{"2025-03-28 10:00-11:00 Dates alone [1/1]", "2025-04-04 11:00-12:00 Dates alone [1/1]"};

    Appointment broken = timed("Kept as it is", DateTime(2025, 3, 3, 9, 0, 0), 30);
    broken.RRule = "FREQ=HOURLY";
    QTest::newRow("a rule repeating within a day stays a single appointment")
        << broken << day(2025, 3, 1) << day(2025, 3, 31) << QStringList{"2025-03-03 09:00-09:30 Kept as it is [1/1]"};
}

void TestOccurrences::rules() {
    QFETCH(Appointment, series);
    QFETCH(CalendarDate, from);
    QFETCH(CalendarDate, to);
    QFETCH(QStringList, expected);
    PimRecords records;
    records.Appointments.Add(series);
    QCOMPARE(listing(records, from, to), expected);
}

void TestOccurrences::exclusionsAndChangedOccurrences() {
    PimRecords records;
    Appointment meeting = timed("Team meeting", DateTime(2025, 3, 3, 10, 0, 0), 60);
    meeting.RRule = "FREQ=WEEKLY;BYDAY=MO,TH;UNTIL=20250313T090000Z";
    meeting.ExDates = {day(2025, 3, 6)};
    const int series = *records.Appointments.Add(meeting);
    Appointment moved = timed("Team meeting, moved", DateTime(2025, 3, 14, 14, 0, 0), 60);
    moved.SeriesID = series;
    moved.OriginalDate = day(2025, 3, 10);
    const int changed = *records.Appointments.Add(moved);

    OccurrenceIndex index;
    QCOMPARE(listing(index, records, day(2025, 3, 1), day(2025, 3, 31)),
             (QStringList{"2025-03-03 10:00-11:00 Team meeting [1/1]", "2025-03-13 10:00-11:00 Team meeting [1/1]",
                          "2025-03-14 14:00-15:00 Team meeting, moved [1/1]"}));
    QVERIFY(index.Occurs(records, series, day(2025, 3, 13)));
    QVERIFY(!index.Occurs(records, series, day(2025, 3, 6)));  // excluded
    QVERIFY(!index.Occurs(records, series, day(2025, 3, 11))); // not a day of the rule
    QVERIFY(!index.Occurs(records, series, day(2025, 3, 17))); // past UNTIL
    QCOMPARE(index.Of(records, series, day(2025, 3, 10))->id, changed);
    QCOMPARE(index.Of(records, series, day(2025, 3, 13))->start, DateTime(2025, 3, 13, 10, 0, 0));
}

void TestOccurrences::daysCoveredAndOrder() {
    PimRecords records;
    records.Appointments.Add(timed("Late", DateTime(2025, 3, 11, 23, 0, 0), 180));
    records.Appointments.Add(timed("Call", DateTime(2025, 3, 12, 9, 7, 0), 45));
    records.Appointments.Add(allDay("Trip", day(2025, 3, 10), day(2025, 3, 12)));
    records.Appointments.Add(timed("To midnight", DateTime(2025, 3, 12, 22, 0, 0), 120));
    QCOMPARE(listing(records, day(2025, 3, 12), day(2025, 3, 13)),
             (QStringList{"2025-03-12 all day Trip [3/3]", "2025-03-12 23:00-02:00 Late [2/2]",
                          "2025-03-12 09:07-09:52 Call [1/1]", "2025-03-12 22:00-00:00 To midnight [1/1]"}));
}

// A series in New York seen from Berlin moves by an hour in the weeks only one of them has changed
// its clocks; one in the computer's own zone keeps its time of day through both changes.
void TestOccurrences::zonedSeriesAcrossTheChanges_data() {
    QTest::addColumn<QByteArray>("computer");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("New York, seen from Berlin")
        << QByteArray("Europe/Berlin") << QStringLiteral("America/New_York")
        << QStringList{"2025-03-04 15:00-15:30 Call [1/1]", "2025-03-11 14:00-14:30 Call [1/1]",
                       "2025-03-25 14:00-14:30 Call [1/1]", "2025-04-01 15:00-15:30 Call [1/1]",
                       "2025-10-28 14:00-14:30 Call [1/1]", "2025-11-04 15:00-15:30 Call [1/1]"};
    QTest::newRow("Berlin's own") << QByteArray("Europe/Berlin") << QString()
                                  << QStringList{
                                         "2025-03-04 15:00-15:30 Call [1/1]", "2025-03-11 15:00-15:30 Call [1/1]",
                                         "2025-03-25 15:00-15:30 Call [1/1]", "2025-04-01 15:00-15:30 Call [1/1]",
                                         "2025-10-28 15:00-15:30 Call [1/1]", "2025-11-04 15:00-15:30 Call [1/1]"};
    QTest::newRow("New York's own") << QByteArray("America/New_York") << QStringLiteral("America/New_York")
                                    << QStringList{
                                           "2025-03-04 09:00-09:30 Call [1/1]", "2025-03-11 09:00-09:30 Call [1/1]",
                                           "2025-03-25 09:00-09:30 Call [1/1]", "2025-04-01 09:00-09:30 Call [1/1]",
                                           "2025-10-28 09:00-09:30 Call [1/1]", "2025-11-04 09:00-09:30 Call [1/1]"};
}

void TestOccurrences::zonedSeriesAcrossTheChanges() {
    QFETCH(QByteArray, computer);
    QFETCH(QString, zone);
    QFETCH(QStringList, expected);
    const ZoneScope scope(computer);
    // The first call is at 09:00 in New York: 15:00 in Berlin.
    const DateTime start = DateTime::FromSeconds(1741096800);
    PimRecords records;
    Appointment call = timed("Call", start, 30);
    call.TimeZone = zone.toStdString();
    call.RRule = "FREQ=WEEKLY;BYDAY=TU";
    records.Appointments.Add(call);
    QStringList shown;
    for (const QString& line : listing(records, day(2025, 3, 1), day(2025, 11, 30)))
        for (const char* wanted : {"03-04", "03-11", "03-25", "04-01", "10-28", "11-04"})
            if (line.mid(5, 5) == QLatin1String(wanted))
                shown << line;
    QCOMPARE(shown, expected);
}

// A change of one series keeps what was worked out for the others; a new or removed record shows.
void TestOccurrences::indexFollowsChanges() {
    PimRecords records;
    Appointment daily = timed("Daily", DateTime(2025, 3, 1, 8, 0, 0), 30);
    daily.RRule = "FREQ=DAILY";
    const int dailyId = *records.Appointments.Add(daily);
    Appointment weekly = timed("Weekly", DateTime(2025, 3, 3, 12, 0, 0), 30);
    weekly.RRule = "FREQ=WEEKLY";
    const int weeklyId = *records.Appointments.Add(weekly);
    OccurrenceIndex index;
    QCOMPARE(index.On(records, day(2025, 3, 10)).size(), 2u);
    QCOMPARE(index.Between(records, day(2025, 3, 10), day(2025, 3, 11)).size(), 3u); // March worked out

    records.Appointments.Find(dailyId)->ExDates = {day(2025, 3, 10)};
    records.Appointments.Find(weeklyId)->Description = "Weekly, renamed";
    index.Forget();
    QCOMPARE(listing(index, records, day(2025, 3, 10), day(2025, 3, 10)),
             QStringList{"2025-03-10 12:00-12:30 Weekly, renamed [1/1]"});
    // A changed series is worked out again once, not once more for each change.
    QCOMPARE(listing(index, records, day(2025, 3, 11), day(2025, 3, 12)),
             (QStringList{"2025-03-11 08:00-08:30 Daily [1/1]", "2025-03-12 08:00-08:30 Daily [1/1]"}));
    records.Appointments.Remove(weeklyId);
    records.Appointments.Add(timed("Single", DateTime(2025, 3, 10, 7, 0, 0), 30));
    index.Forget();
    QCOMPARE(listing(index, records, day(2025, 3, 10), day(2025, 3, 10)),
             QStringList{"2025-03-10 07:00-07:30 Single [1/1]"});
}

// The day view's rows: all-day first ("All day" keeps the row selectable, "(day N of M)" on an
// entry of several days), then by start; an occurrence of a series carries the series' ID and its
// alarm image with the repeat mark (2 more).
void TestOccurrences::dayViewRows() {
    PimRecords records;
    Appointment meeting = timed("Meeting", DateTime(2025, 3, 3, 10, 0, 0), 60);
    meeting.RRule = "FREQ=WEEKLY";
    meeting.Alarm = 1;
    const int series = *records.Appointments.Add(meeting);
    const int trip = *records.Appointments.Add(allDay("Trip", day(2025, 3, 9), day(2025, 3, 10)));
    const std::vector<ListRow> rows = DayListRows::Appointments(records, day(2025, 3, 10).Midnight());
    QCOMPARE(rows.size(), 2u);
    QCOMPARE(rows[0].id, trip);
    QCOMPARE(rows[0].columns[0], std::string("All day"));
    QCOMPARE(rows[0].columns[1], std::string("Trip (day 2 of 2)"));
    QCOMPARE(rows[0].image, 0);
    QCOMPARE(rows[1].id, series);
    QCOMPARE(rows[1].image, 3);
    QCOMPARE(rows[1].columns[1], std::string("Meeting"));
    QCOMPARE(rows[1].columns[0], std::string("10:00 AM-11:00 AM"));
    QVERIFY(DayListRows::Appointments(records, day(2025, 3, 11).Midnight()).empty());
    QCOMPARE(DayListRows::Appointments(records, day(2025, 3, 2).Midnight()).size(), 0u);
}

TAVORO_TEST_MAIN(TestOccurrences)
#include "TestOccurrences.moc"
