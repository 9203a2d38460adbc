#include "core/RepeatRule.h"
#include "support/TestMain.h"

#include <QObject>

namespace {

// "2025-03-03 09:30" for each occurrence the rule gives from `from` to `to`.
QStringList walls(const RepeatRule& rule, CalendarDate from, CalendarDate to) {
    QStringList result;
    for (const CalendarRecord& r : rule.Between(from, to))
        result << QString::asprintf("%04d-%02d-%02d %02d:%02d", r.year, r.month, r.day, r.hour, r.minute);
    return result;
}

} // namespace

// A short range is answered by sieving its dates; a long one by expanding the rule. Both must give
// the same occurrences, for plain rules and for those the sieve only narrows down.
class TestRepeatRule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shortRangesAgreeWithTheExpansion_data();
    void shortRangesAgreeWithTheExpansion();
};

void TestRepeatRule::shortRangesAgreeWithTheExpansion_data() {
    QTest::addColumn<QString>("rule");
    const char* const rules[] = {
        "FREQ=DAILY",
        "FREQ=DAILY;INTERVAL=3",
        "FREQ=DAILY;COUNT=10",
        "FREQ=DAILY;BYDAY=SA,SU;BYMONTH=7,8",
        "FREQ=WEEKLY",
        "FREQ=WEEKLY;BYDAY=MO,TH",
        "FREQ=WEEKLY;BYDAY=MO;COUNT=5",
        "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,SU",
        "FREQ=WEEKLY;INTERVAL=3;WKST=SU;BYDAY=SU,SA",
        "FREQ=WEEKLY;UNTIL=20260301T090000Z",
        "FREQ=MONTHLY",
        "FREQ=MONTHLY;INTERVAL=2",
        "FREQ=MONTHLY;BYDAY=-1FR",
        "FREQ=MONTHLY;BYDAY=2TU,4TU;COUNT=9",
        "FREQ=MONTHLY;BYDAY=MO",
        "FREQ=MONTHLY;BYMONTHDAY=-1",
        "FREQ=MONTHLY;BYMONTHDAY=1,15,31",
        "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
        "FREQ=MONTHLY;UNTIL=20260115T080000",
        "FREQ=YEARLY",
        "FREQ=YEARLY;INTERVAL=4",
        "FREQ=YEARLY;BYMONTH=3,9;BYDAY=1SU",
        "FREQ=YEARLY;BYYEARDAY=100,-1",
        "FREQ=YEARLY;BYWEEKNO=20;BYDAY=MO",
    };
    for (const char* rule : rules)
        QTest::newRow(rule) << QString::fromLatin1(rule);
}

void TestRepeatRule::shortRangesAgreeWithTheExpansion() {
    QFETCH(QString, rule);
    // A Friday at the end of a month, a time the clocks skip, and a leap day taken as a whole day.
    const struct {
        CalendarRecord start;
        bool allDay;
    } starts[] = {{{2025, 1, 31, 9, 30, 0}, false}, {{2025, 3, 30, 2, 30, 0}, false}, {{2024, 2, 29, 0, 0, 0}, true}};
    const CalendarDate from = CalendarDate::FromParts(2024, 1, 1);
    const CalendarDate to = CalendarDate::FromParts(2026, 12, 31);
    for (const auto& [start, allDay] : starts) {
        const RepeatRule repeat(rule.toStdString(), start, allDay);
        QVERIFY(repeat.IsUsable());
        const QStringList all = walls(repeat, from, to);
        QVERIFY(!all.isEmpty());
        const auto within = [&](CalendarDate first, CalendarDate last) {
            QStringList part;
            for (const QString& wall : all) {
                const CalendarDate date = *CalendarDate::Parse(wall.left(10).toStdString());
                if (date >= first && date <= last)
                    part << wall;
            }
            return part;
        };
        for (CalendarDate day = from; day <= to; day = day + 1)
            QCOMPARE(walls(repeat, day, day), within(day, day));
        for (CalendarDate first = from; first + 40 <= to; first = first + 17)
            QCOMPARE(walls(repeat, first, first + 40), within(first, first + 40));
    }
}

TAVORO_TEST_MAIN(TestRepeatRule)
#include "TestRepeatRule.moc"
