#include "core/Appointment.h"
#include "core/RepeatPattern.h"
#include "core/RepeatWords.h"
#include "support/TestMain.h"
#include "support/ZoneScope.h"

#include <QObject>

namespace {

CalendarDate day(int y, int m, int d) {
    return CalendarDate::FromParts(y, m, d);
}

} // namespace

Q_DECLARE_METATYPE(CalendarDate)

class TestRepeatWords : public QObject {
    Q_OBJECT
private slots:
    void ruleInWords_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<CalendarDate>("start");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("words");
        const CalendarDate monday = day(2027, 3, 1);
        QTest::newRow("daily") << "FREQ=DAILY" << monday << false << "Daily";
        QTest::newRow("every 3 days, counted")
            << "FREQ=DAILY;INTERVAL=3;COUNT=5" << monday << false << "Every 3 days, 5 times";
        QTest::newRow("once") << "FREQ=DAILY;COUNT=1" << monday << false << "Daily, once";
        QTest::newRow("weekly on the start's day") << "FREQ=WEEKLY" << monday << false << "Weekly on Monday";
        QTest::newRow("the example") << "FREQ=WEEKLY;INTERVAL=2;BYDAY=TH,MO;UNTIL=20270630T235959Z" << monday << false
                                     << "Every 2 weeks on Monday and Thursday, until 30 June 2027";
        QTest::newRow("three weekdays, Sunday last")
            << "FREQ=WEEKLY;BYDAY=SU,WE,MO" << monday << false << "Weekly on Monday, Wednesday and Sunday";
        QTest::newRow("until a date, all day")
            << "FREQ=WEEKLY;UNTIL=20270405" << monday << true << "Weekly on Monday, until 5 April 2027";
        QTest::newRow("monthly on the start's day")
            << "FREQ=MONTHLY" << day(2027, 1, 15) << false << "Monthly on day 15";
        QTest::newRow("monthly on day N")
            << "FREQ=MONTHLY;INTERVAL=3;BYMONTHDAY=31" << day(2027, 1, 31) << false << "Every 3 months on day 31";
        QTest::newRow("second Tuesday") << "FREQ=MONTHLY;BYDAY=2TU" << day(2027, 3, 9) << false
                                        << "Monthly on the second Tuesday";
        QTest::newRow("last Friday") << "FREQ=MONTHLY;BYDAY=-1FR" << day(2027, 3, 26) << false
                                     << "Monthly on the last Friday";
        QTest::newRow("last day of the month")
            << "FREQ=MONTHLY;BYMONTHDAY=-1" << day(2027, 1, 31) << false << "Monthly on the last day";
        QTest::newRow("two days of the month")
            << "FREQ=MONTHLY;BYMONTHDAY=1,15" << day(2027, 1, 1) << false << "Monthly on days 1 and 15";
        QTest::newRow("yearly") << "FREQ=YEARLY" << day(2027, 7, 4) << true << "Yearly on 4 July";
        QTest::newRow("every 2 years, counted")
            << "FREQ=YEARLY;INTERVAL=2;COUNT=3" << day(2028, 2, 29) << false << "Every 2 years on 29 February, 3 times";
        QTest::newRow("yearly on a weekday of a month") << "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH" << day(2027, 11, 25)
                                                        << false << "Yearly on the fourth Thursday of November";
        QTest::newRow("further parts") << "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1" << monday << false
                                       << "Monthly on every Monday, every Tuesday, every Wednesday, every Thursday and "
                                          "every Friday (with further conditions)";
        QTest::newRow("hourly is no rule of ours") << "FREQ=HOURLY" << monday << false << "";
        QTest::newRow("not a rule") << "SOMETHING" << monday << false << "";
        QTest::newRow("empty") << "" << monday << false << "";
    }
    void ruleInWords() {
        QFETCH(QString, rule);
        QFETCH(CalendarDate, start);
        QFETCH(bool, allDay);
        QFETCH(QString, words);
        // An UNTIL in UTC reads in the computer's zone.
        ZoneScope zone("UTC");
        QCOMPARE(QString::fromStdString(RepeatInWords(rule.toStdString(), start, allDay)), words);
    }

    void zonedUntilReadsInTheSeriesZone() {
        ZoneScope zone("Europe/Berlin");
        // 03:59:59 UTC on 1 July is still 30 June in New York.
        QCOMPARE(QString::fromStdString(
                     RepeatInWords("FREQ=DAILY;UNTIL=20270701T035959Z", day(2027, 6, 1), false, "America/New_York")),
                 QStringLiteral("Daily, until 30 June 2027"));
    }

    // Dates added to a series are counted after its rule, or stand alone for a series without one.
    void addedDatesAreCounted() {
        Appointment series;
        series.AllDay = 1;
        series.DueDate = day(2027, 3, 1).Midnight();
        series.RDates = {day(2027, 3, 10)};
        QCOMPARE(QString::fromStdString(RepeatInWords(series)), QStringLiteral("On 2 dates"));
        series.RRule = "FREQ=WEEKLY";
        series.RDates.push_back(day(2027, 3, 12));
        QCOMPARE(QString::fromStdString(RepeatInWords(series)),
                 QStringLiteral("Weekly on Monday, and on 2 more dates"));
    }

    void patternRoundTrip_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<CalendarDate>("start");
        QTest::newRow("daily") << "FREQ=DAILY" << day(2027, 3, 1);
        QTest::newRow("every 2 weeks") << "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH" << day(2027, 3, 1);
        QTest::newRow("monthly by day") << "FREQ=MONTHLY;BYMONTHDAY=15;COUNT=4" << day(2027, 1, 15);
        QTest::newRow("monthly by weekday") << "FREQ=MONTHLY;BYDAY=2TU" << day(2027, 3, 9);
        QTest::newRow("monthly on the last") << "FREQ=MONTHLY;BYDAY=-1FR" << day(2027, 1, 29);
        QTest::newRow("yearly until") << "FREQ=YEARLY;INTERVAL=2;UNTIL=20350704T215959Z" << day(2027, 7, 4);
    }
    void patternRoundTrip() {
        QFETCH(QString, rule);
        QFETCH(CalendarDate, start);
        ZoneScope zone("Europe/Berlin");
        const RepeatPattern pattern = RepeatPattern::FromRule(rule.toStdString(), start);
        QVERIFY(pattern.fits);
        QCOMPARE(QString::fromStdString(pattern.ToRule(start)), rule);
    }

    void patternsThatDoNotFit_data() {
        QTest::addColumn<QString>("rule");
        QTest::newRow("set position") << "FREQ=MONTHLY;BYDAY=MO,FR;BYSETPOS=1";
        QTest::newRow("another month day") << "FREQ=MONTHLY;BYMONTHDAY=3";
        QTest::newRow("a weekday of another week") << "FREQ=MONTHLY;BYDAY=3MO";
        QTest::newRow("daily on weekdays") << "FREQ=DAILY;BYDAY=MO,TU";
        QTest::newRow("two months") << "FREQ=YEARLY;BYMONTH=1,7";
        QTest::newRow("unreadable") << "FREQ=SOMETIMES";
    }
    void patternsThatDoNotFit() {
        QFETCH(QString, rule);
        QVERIFY(!RepeatPattern::FromRule(rule.toStdString(), day(2027, 3, 1)).fits);
    }

    void endsAreReplaced() {
        ZoneScope zone("UTC");
        QCOMPARE(QString::fromStdString(RuleEndingOn("FREQ=WEEKLY;COUNT=5;BYDAY=MO", day(2027, 3, 14), false, {})),
                 QStringLiteral("FREQ=WEEKLY;BYDAY=MO;UNTIL=20270314T235959Z"));
        QCOMPARE(QString::fromStdString(RuleEndingOn("FREQ=DAILY;UNTIL=20280101", day(2027, 3, 14), true, {})),
                 QStringLiteral("FREQ=DAILY;UNTIL=20270314"));
        QCOMPARE(QString::fromStdString(RuleEndingOn("FREQ=DAILY", day(2027, 3, 14), false, "Asia/Tokyo")),
                 QStringLiteral("FREQ=DAILY;UNTIL=20270314T145959Z"));
        QCOMPARE(QString::fromStdString(RuleCounting("FREQ=DAILY;UNTIL=20280101;INTERVAL=2", 3)),
                 QStringLiteral("FREQ=DAILY;INTERVAL=2;COUNT=3"));
    }

    void weekOfMonth() {
        QCOMPARE(RepeatPattern::WeekOfMonth(day(2027, 3, 7)), 1);
        QCOMPARE(RepeatPattern::WeekOfMonth(day(2027, 3, 28)), 4);
        QCOMPARE(RepeatPattern::WeekOfMonth(day(2027, 3, 29)), -1);
    }
};

TAVORO_TEST_MAIN(TestRepeatWords)
#include "TestRepeatWords.moc"
