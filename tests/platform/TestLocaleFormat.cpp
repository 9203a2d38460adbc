#include "platform/LocaleFormat.h"
#include "support/TestMain.h"

#include "platform/Clock.h"

#include <QLocale>
#include <QObject>
#include <QScopeGuard>

using namespace platform;

class TestLocaleFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formats();
    void parseReadsBackWhatFormatWrites_data();
    void parseReadsBackWhatFormatWrites();
    void parseDateForms_data();
    void parseDateForms();
    void parseTimeForms_data();
    void parseTimeForms();
    void rejects_data();
    void rejects();
};

void TestLocaleFormat::formats() {
    QCOMPARE(formatDate(2003, 5, 10, DateStyle::Short), std::string("5/10/03"));
    QCOMPARE(formatDate(2003, 5, 10, DateStyle::Long), std::string("Saturday, May 10, 2003"));
    QCOMPARE(formatDate(2026, 12, 5, DateStyle::ShortFullYear), std::string("12/5/2026"));
    QCOMPARE(formatTime(13, 5, 0, TimeStyle::NoSeconds), std::string("1:05 PM"));
    QCOMPARE(formatTime(13, 5, 0, TimeStyle::HmmT), std::string("1:05 P"));
    QCOMPARE(formatTime(0, 0, 0, TimeStyle::HmmT), std::string("12:00 A"));
    QCOMPARE(formatTime(12, 30, 0, TimeStyle::HmmT), std::string("12:30 P"));
    QVERIFY(formatDate(2003, 2, 30, DateStyle::Short).empty());
}

void TestLocaleFormat::parseReadsBackWhatFormatWrites_data() {
    QTest::addColumn<QString>("locale");
    for (const char* name :
         {"en_US", "C", "de_DE", "en_GB", "fr_FR", "ja_JP", "ko_KR", "zh_CN", "fi_FI", "hu_HU", "nl_NL", "ar_EG"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Whatever the user's locale, a file the program writes reads back the same dates and times.
void TestLocaleFormat::parseReadsBackWhatFormatWrites() {
    QFETCH(QString, locale);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    auto restore = qScopeGuard([&] { QLocale::setDefault(previous); });
    // The short style, with its two-digit year, is checked in the session's own locale only.
    const bool home = locale == QLatin1String("en_US");
    for (int year : {100, 1950, 1999, 2029, 2038, 2100, 9999}) {
        for (auto style : {DateStyle::Short, DateStyle::Long, DateStyle::ShortFullYear}) {
            if (style == DateStyle::Short && !home)
                continue;
            ParsedDate d;
            const std::string text = formatDate(year, 11, 23, style);
            QVERIFY2(parseDate(text, d), text.c_str());
            if (style != DateStyle::Short || (year >= 1930 && year < 2030)) // two-digit years wrap
                QCOMPARE(d.year, year);
            QCOMPARE(d.month, 11);
            QCOMPARE(d.day, 23);
        }
    }
    for (int hour = 0; hour < 24; ++hour) {
        for (auto style : {TimeStyle::NoSeconds, TimeStyle::HmmT}) {
            ParsedTime t;
            const std::string text = formatTime(hour, 5, 0, style);
            QVERIFY2(parseTime(text, t), text.c_str());
            QCOMPARE(t.hour, hour);
            QCOMPARE(t.minute, 5);
            QVERIFY2(!QByteArray::fromStdString(text).endsWith(":00"), text.c_str()); // no seconds
        }
    }
}

void TestLocaleFormat::parseDateForms_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::newRow("iso") << "2003-05-10" << 2003 << 5 << 10;
    QTest::newRow("iso with time") << "2003-05-10T14:30:00" << 2003 << 5 << 10;
    QTest::newRow("iso with zone") << "2003-05-10T14:30:00Z" << 2003 << 5 << 10;
    QTest::newRow("year first, slashes") << "2003/5/10" << 2003 << 5 << 10;
    QTest::newRow("short") << "5/10/03" << 2003 << 5 << 10;
    QTest::newRow("two-digit year before 1930") << "5/10/45" << 1945 << 5 << 10;
    QTest::newRow("short four-digit year") << "5/10/2003" << 2003 << 5 << 10;
    QTest::newRow("dashes") << "5-10-2003" << 2003 << 5 << 10;
    QTest::newRow("dots") << "5.10.2003" << 2003 << 5 << 10;
    QTest::newRow("leading zeros") << "05/09/2003" << 2003 << 5 << 9;
    QTest::newRow("padded") << "  5/10/2003 " << 2003 << 5 << 10;
    QTest::newRow("without year") << "12/5" << 2011 << 12 << 5;
    QTest::newRow("with a time") << "5/10/2003 2:30 PM" << 2003 << 5 << 10;
    QTest::newRow("long") << "Saturday, May 10, 2003" << 2003 << 5 << 10;
    QTest::newRow("long without weekday") << "May 10, 2003" << 2003 << 5 << 10;
    QTest::newRow("abbreviated month") << "Dec 5, 2026" << 2026 << 12 << 5;
    QTest::newRow("lowercase month") << "december 5, 2026" << 2026 << 12 << 5;
}

void TestLocaleFormat::parseDateForms() {
    QFETCH(QString, text);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    Clock::setFixed(LocalTime{2011, 3, 4, 10, 0, 0});
    auto unfix = qScopeGuard([] { Clock::setFixed(std::nullopt); });
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
    QTest::newRow("midnight") << "12:15 AM" << 0 << 15;
    QTest::newRow("one letter") << "9:05 A" << 9 << 5;
    QTest::newRow("no space") << "2:30pm" << 14 << 30;
    QTest::newRow("hour and marker") << "2 PM" << 14 << 0;
    QTest::newRow("noon") << "12 pm" << 12 << 0;
    QTest::newRow("dotted marker") << "7:45 p.m." << 19 << 45;
    QTest::newRow("dots") << "14.30" << 14 << 30;
    QTest::newRow("fraction of a second") << "14:30:15.250" << 14 << 30;
    QTest::newRow("24-hour with PM") << "14:30 PM" << 14 << 30;
    QTest::newRow("after a date") << "5/10/2003 14:30" << 14 << 30;
    QTest::newRow("iso date-time") << "2003-05-10T07:05:00" << 7 << 5;
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

void TestLocaleFormat::rejects_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isDate");
    QTest::newRow("empty date") << "" << true;
    QTest::newRow("blank date") << "   " << true;
    QTest::newRow("word as date") << "tomorrow" << true;
    QTest::newRow("February 30") << "2/30/2003" << true;
    QTest::newRow("month 13") << "13/5/2003" << true;
    QTest::newRow("five-digit year") << "5/10/20031" << true;
    QTest::newRow("date with trailing words") << "5/10/2003 soon" << true;
    QTest::newRow("one number") << "2003" << true;
    QTest::newRow("empty time") << "" << false;
    QTest::newRow("hour alone") << "14" << false;
    QTest::newRow("hour 24") << "24:00" << false;
    QTest::newRow("minute 60") << "12:60" << false;
    QTest::newRow("24-hour with AM") << "14:30 AM" << false;
    QTest::newRow("word as time") << "noon" << false;
    QTest::newRow("time with trailing words") << "10:30 sharp" << false;
}

void TestLocaleFormat::rejects() {
    QFETCH(QString, text);
    QFETCH(bool, isDate);
    ParsedDate d;
    ParsedTime t;
    QVERIFY(isDate ? !parseDate(text.toStdString(), d) : !parseTime(text.toStdString(), t));
}

TAVORO_TEST_MAIN(TestLocaleFormat)
#include "TestLocaleFormat.moc"
