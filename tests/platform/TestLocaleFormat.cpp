#include "platform/LocaleFormat.h"
#include "support/TestMain.h"

#include <QObject>

using namespace platform;

class TestLocaleFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formats();
    void parseReadsBackWhatFormatWrites();
    void parseDateForms_data();
    void parseDateForms();
    void parseTimeForms_data();
    void parseTimeForms();
};

void TestLocaleFormat::formats() {
    QCOMPARE(formatDate(2003, 5, 10, DateStyle::Short), std::string("5/10/03"));
    QCOMPARE(formatDate(2003, 5, 10, DateStyle::Long), std::string("Saturday, May 10, 2003"));
    QCOMPARE(formatTime(13, 5, 0, TimeStyle::HmmT), std::string("1:05 P"));
    QCOMPARE(formatTime(0, 0, 0, TimeStyle::HmmT), std::string("12:00 A"));
    QCOMPARE(formatTime(12, 30, 0, TimeStyle::HmmT), std::string("12:30 P"));
    QVERIFY(!formatTime(13, 5, 0, TimeStyle::NoSeconds).empty());
    QVERIFY(formatDate(2003, 2, 30, DateStyle::Short).empty());
}

void TestLocaleFormat::parseReadsBackWhatFormatWrites() {
    for (int year : {1950, 1999, 2003, 2029, 2038, 2100}) {
        for (auto style : {DateStyle::Short, DateStyle::Long}) {
            ParsedDate d;
            const std::string text = formatDate(year, 11, 23, style);
            QVERIFY2(parseDate(text, d), text.c_str());
            if (style == DateStyle::Long || (year >= 1930 && year < 2030)) // two-digit years wrap
                QCOMPARE(d.year, year);
            QCOMPARE(d.month, 11);
            QCOMPARE(d.day, 23);
        }
    }
    for (int hour = 0; hour < 24; ++hour) {
        for (auto style : {TimeStyle::NoSeconds, TimeStyle::HmmT}) {
            ParsedTime t;
            const std::string text = formatTime(hour, 45, 0, style);
            QVERIFY2(parseTime(text, t), text.c_str());
            QCOMPARE(t.hour, hour);
            QCOMPARE(t.minute, 45);
        }
    }
}

void TestLocaleFormat::parseDateForms_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::newRow("iso") << "2003-05-10" << 2003 << 5 << 10;
    QTest::newRow("short") << "5/10/03" << 2003 << 5 << 10;
    QTest::newRow("short four-digit year") << "5/10/2003" << 2003 << 5 << 10;
    QTest::newRow("padded") << "  5/10/2003 " << 2003 << 5 << 10;
}

void TestLocaleFormat::parseDateForms() {
    QFETCH(QString, text);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    ParsedDate d;
    QVERIFY(parseDate(text.toStdString(), d));
    QCOMPARE(d.year, year);
    QCOMPARE(d.month, month);
    QCOMPARE(d.day, day);
}

void TestLocaleFormat::parseTimeForms_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::newRow("24-hour") << "14:30" << 14 << 30;
    QTest::newRow("24-hour seconds") << "14:30:15" << 14 << 30;
    QTest::newRow("am/pm") << "2:30 PM" << 14 << 30;
    QTest::newRow("lowercase pm") << "2:30 pm" << 14 << 30;
    QTest::newRow("midnight") << "12:15 AM" << 0 << 15;
    QTest::newRow("one letter") << "9:05 A" << 9 << 5;
}

void TestLocaleFormat::parseTimeForms() {
    QFETCH(QString, text);
    QFETCH(int, hour);
    QFETCH(int, minute);
    ParsedTime t;
    QVERIFY(parseTime(text.toStdString(), t));
    QCOMPARE(t.hour, hour);
    QCOMPARE(t.minute, minute);
}

TAVORO_TEST_MAIN(TestLocaleFormat)
#include "TestLocaleFormat.moc"
