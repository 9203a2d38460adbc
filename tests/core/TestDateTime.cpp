#include "core/DateTime.h"
#include "platform/Clock.h"
#include "support/TestMain.h"

#include <QObject>

#include <clocale>

class TestDateTime : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dayCountReferencePoints_data();
    void dayCountReferencePoints();
    void negativeFractions();
    void rangeEdges();
    void comparisonsUseContinuousForm();
    void arithmetic();
    void spanFromParts();
    void leapYears();
    void componentQueries();
    void invalidValueQueries();
    void formatPicture();
    void secondsSince1970RoundTrip_data();
    void secondsSince1970RoundTrip();
    void secondsSince1970Edges();
    void daylightSavingGapKeepsParts();
    void nowAndTodayFollowTheClock();
};

void TestDateTime::dayCountReferencePoints_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<double>("value");
    QTest::newRow("epoch") << 1899 << 12 << 30 << 0.0;
    QTest::newRow("1900-01-01") << 1900 << 1 << 1 << 2.0;
    QTest::newRow("2000-01-01") << 2000 << 1 << 1 << 36526.0;
    QTest::newRow("lowest") << 100 << 1 << 1 << -657434.0;
    QTest::newRow("highest") << 9999 << 12 << 31 << 2958465.0;
    QTest::newRow("1899-12-29") << 1899 << 12 << 29 << -1.0;
}

void TestDateTime::dayCountReferencePoints() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(double, value);
    const DateTime dt(year, month, day, 0, 0, 0);
    QCOMPARE(dt.Value(), value);
    QCOMPARE(dt.Year(), year);
    QCOMPARE(dt.Month(), month);
    QCOMPARE(dt.Day(), day);
}

void TestDateTime::negativeFractions() {
    const DateTime morning(1899, 12, 29, 6, 0, 0);
    QCOMPARE(morning.Value(), -1.25);
    const DateTime back = DateTime::FromDouble(-1.25);
    QCOMPARE(back.Day(), 29);
    QCOMPARE(back.Hour(), 6);
    QCOMPARE(DateTime::FromDouble(-0.5).Day(), 30);
    QCOMPARE(DateTime::FromDouble(-0.5).Hour(), 12);
    QCOMPARE(DateTime::Continuous(-1.25), -0.75);
    QCOMPARE(DateTime::FromContinuous(-0.75), -1.25);
}

void TestDateTime::rangeEdges() {
    QVERIFY(!DateTime().IsValid());
    QCOMPARE(DateTime().Value(), -657435.0);
    QVERIFY(DateTime::FromDouble(-657434.0).IsValid());
    QVERIFY(!DateTime::FromDouble(-657435.0).IsValid());
    QVERIFY(DateTime::FromDouble(2958465.0).IsValid());
    QVERIFY(!DateTime::FromDouble(2958465.5).IsValid());
    QVERIFY(!DateTime(99, 12, 31, 0, 0, 0).IsValid());
    QVERIFY(!DateTime(2001, 2, 29, 0, 0, 0).IsValid());
    QVERIFY(!DateTime(2001, 1, 1, 24, 0, 0).IsValid());
    DateTime dt;
    QVERIFY(dt.SetDateTime(2003, 5, 10, 8, 30, 0));
    QVERIFY(!dt.SetDateTime(2003, 13, 10, 8, 30, 0));
    QVERIFY(!dt.IsValid());
}

void TestDateTime::comparisonsUseContinuousForm() {
    const auto a = DateTime::FromDouble(-1.25);
    const auto b = DateTime::FromDouble(-1.0);
    const auto c = DateTime::FromDouble(-0.5);
    // -1.0 is midnight of December 29th, -1.25 six hours later, -0.5 noon of the 30th.
    QVERIFY(a > b && b < a);
    QVERIFY(c > a && a <= a && a != b);
}

void TestDateTime::arithmetic() {
    QCOMPARE((DateTime::FromDouble(-1.25) + DateTimeSpan(0.5)).Value(), -1.75);
    QCOMPARE((DateTime::FromDouble(-0.5) + DateTimeSpan(0.25)).Value(), 0.75);
    const DateTimeSpan span = DateTime(2000, 1, 1, 12, 0, 0) - DateTime(1999, 12, 31, 0, 0, 0);
    QCOMPARE(span.Days(), 1.5);
    QVERIFY(!(DateTime() + DateTimeSpan(1.0)).IsValid());
    QVERIFY(!(DateTime(2000, 1, 1, 0, 0, 0) + DateTimeSpan::Invalid()).IsValid());
    QVERIFY(!(DateTime() - DateTime(2000, 1, 1, 0, 0, 0)).IsValid());
    // Landing outside the range is simply invalid.
    QVERIFY(!(DateTime(9999, 12, 31, 0, 0, 0) + DateTimeSpan(1.0)).IsValid());
    const DateTime alarm = DateTime(2003, 5, 10, 9, 0, 0) - DateTimeSpan(0, 0, 15, 0);
    QCOMPARE(alarm.Hour(), 8);
    QCOMPARE(alarm.Minute(), 45);
}

void TestDateTime::spanFromParts() {
    QCOMPARE(DateTimeSpan(0, 0, 59, 0).Minutes(), 59);
    QCOMPARE(DateTimeSpan(0, 1, 0, 0).Minutes(), 0);
    QCOMPARE(DateTimeSpan(1, 0, 0, 0).Days(), 1.0);
    QVERIFY(!DateTimeSpan().IsValid());
    QVERIFY(DateTimeSpan(3615897.0).IsValid());
    QVERIFY(!DateTimeSpan(-3615898.0).IsValid());
}

void TestDateTime::leapYears() {
    QVERIFY(!DateTime(1900, 2, 29, 0, 0, 0).IsValid());
    QVERIFY(DateTime(2000, 2, 29, 0, 0, 0).IsValid());
    QCOMPARE(DateTime(1900, 3, 1, 0, 0, 0).Value() - DateTime(1900, 2, 28, 0, 0, 0).Value(), 1.0);
    QCOMPARE(DateTime(2000, 12, 31, 0, 0, 0).DayOfYear(), 366);
    QCOMPARE(DateTime(1900, 12, 31, 0, 0, 0).DayOfYear(), 365);
}

void TestDateTime::componentQueries() {
    const DateTime dt(2003, 5, 10, 13, 5, 42);
    QCOMPARE(dt.Hour(), 13);
    QCOMPARE(dt.Minute(), 5);
    QCOMPARE(dt.Second(), 42);
    QCOMPARE(dt.DayOfWeek(), 7); // a Saturday
    QCOMPARE(dt.DayOfYear(), 130);
    QCOMPARE(DateTime(1899, 12, 30, 0, 0, 0).DayOfWeek(), 7);
    QCOMPARE(DateTime(1899, 12, 29, 0, 0, 0).DayOfWeek(), 6);
    const CalendarRecord r = dt.ToCalendarRecord();
    QCOMPARE(r.dayOfWeek, 6);
    QCOMPARE(DateTime(r), dt);
    QCOMPARE(dt.Date(), DateTime(2003, 5, 10, 0, 0, 0));
}

void TestDateTime::invalidValueQueries() {
    const DateTime invalid;
    QCOMPARE(invalid.Year(), DateTime::Error);
    QCOMPARE(invalid.DayOfWeek(), DateTime::Error);
    QCOMPARE(invalid.Format("%Y"), std::string());
    QCOMPARE(invalid.ToSeconds(), std::int64_t(-1));
    QCOMPARE(invalid.ToCalendarRecord(), CalendarRecord{});
}

void TestDateTime::formatPicture() {
    QCOMPARE(DateTime(2003, 5, 10, 13, 5, 0).Format("%I:%M %p"), std::string("01:05 PM"));
    QCOMPARE(DateTime(2003, 5, 10, 0, 30, 0).Format("%I:%M %p"), std::string("12:30 AM"));
    QCOMPARE(DateTime(2003, 5, 10, 13, 5, 0).Format("%Y-%m-%d %j %a"), std::string("2003-05-10 130 Sat"));
    // A desktop session in a locale without AM/PM still gets the fixed picture.
    const char* previous = std::setlocale(LC_TIME, "de_DE.UTF-8");
    QCOMPARE(DateTime(2003, 5, 10, 9, 30, 0).Format("%I:%M %p"), std::string("09:30 AM"));
    if (previous)
        std::setlocale(LC_TIME, "C");
    QCOMPARE(DateTime(2003, 5, 10, 13, 5, 0).FormatTime(DateTime::TimeFormat::HmmT), std::string("1:05 P"));
    QCOMPARE(DateTime(2003, 5, 10, 9, 0, 0).FormatTime(DateTime::TimeFormat::HmmT), std::string("9:00 A"));
    QCOMPARE(DateTime(2003, 5, 10, 0, 0, 0).FormatDate(DateTime::DateFormat::Short), std::string("5/10/03"));
}

void TestDateTime::secondsSince1970RoundTrip_data() {
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("epoch") << qint64(0);
    QTest::newRow("winter") << qint64(1043452800);               // 2003-01-25
    QTest::newRow("summer") << qint64(1057017600);               // 2003-07-01
    QTest::newRow("before spring change") << qint64(1711846799); // 2024-03-31 01:59:59 CET
    QTest::newRow("after spring change") << qint64(1711846800);  // 03:00:00 CEST
    QTest::newRow("before autumn change") << qint64(1729987199); // 2024-10-27 02:59:59 CEST
    QTest::newRow("first 02:30 of the autumn") << qint64(1729989000);
    QTest::newRow("second 02:30 of the autumn") << qint64(1729992600);
    QTest::newRow("1965") << qint64(-146710800); // 1965-05-09 00:00 CET
    QTest::newRow("one second before 1970") << qint64(-2);
    QTest::newRow("year 100") << qint64(-59011462408);
    QTest::newRow("32-bit edge") << qint64(2147483647);
    QTest::newRow("after 2038") << qint64(4102444800); // 2100-01-01
}

void TestDateTime::secondsSince1970RoundTrip() {
    QFETCH(qint64, seconds);
    const DateTime dt = DateTime::FromSeconds(seconds);
    QVERIFY(dt.IsValid());
    QCOMPARE(qint64(dt.ToSeconds()), seconds);
}

void TestDateTime::secondsSince1970Edges() {
    QVERIFY(!DateTime::FromSeconds(-1).IsValid()); // what older files wrote for "no date"
    QCOMPARE(DateTime(1969, 12, 31, 12, 0, 0).ToSeconds(), std::int64_t(-46800));
    QCOMPARE(DateTime::FromSeconds(0).Hour(), 1); // 01:00 in Berlin
    QCOMPARE(DateTime::FromSeconds(2147483647).ToSeconds32(), 2147483647);
    QCOMPARE(DateTime::FromSeconds(2147483648LL).ToSeconds32(), -1);
    QCOMPARE(DateTime::FromSeconds(-2).ToSeconds32(), -1);
    // A time the clocks repeat or skip converts the same whatever was converted before it.
    for (const DateTime& before : {DateTime(2024, 7, 1, 2, 30, 0), DateTime(2024, 1, 1, 2, 30, 0)}) {
        before.ToSeconds();
        QCOMPARE(DateTime(2024, 10, 27, 2, 30, 0).ToSeconds(), std::int64_t(1729989000));
        QCOMPARE(DateTime(2024, 3, 31, 2, 30, 0).ToSeconds(), std::int64_t(1711848600)); // read as 03:30 CEST
    }
    // The second 02:30 is still the same local time.
    QCOMPARE(DateTime::FromSeconds(1729992600), DateTime(2024, 10, 27, 2, 30, 0));
}

void TestDateTime::daylightSavingGapKeepsParts() {
    // 02:30 does not exist on the spring-forward night; the stored value still reads as 02:30.
    const DateTime gap(2024, 3, 31, 2, 30, 0);
    QCOMPARE(gap.Hour(), 2);
    QCOMPARE(gap.Format("%d %H:%M"), std::string("31 02:30"));
}

void TestDateTime::nowAndTodayFollowTheClock() {
    platform::Clock::setFixed(platform::LocalTime{2003, 5, 10, 14, 25, 7});
    QCOMPARE(DateTime::Now(), DateTime(2003, 5, 10, 14, 25, 7));
    QCOMPARE(DateTime::Today(), DateTime(2003, 5, 10, 0, 0, 0));
    platform::Clock::setFixed(std::nullopt);
    QVERIFY(DateTime::Now().IsValid());
}

TAVORO_TEST_MAIN(TestDateTime)
#include "TestDateTime.moc"
