#include "core/PimRecords.h"
#include "core/ReminderQuery.h"
#include "core/ReminderState.h"
#include "support/RecordBuilders.h"
#include "support/TestMain.h"

#include <QObject>

namespace {

// June 2003: day, hour, minute.
DateTime at(int day, int hour, int minute, int second = 0) {
    return DateTime(2003, 6, day, hour, minute, second);
}

// Half an hour long, with an alarm `lead` minutes before the start.
Appointment appointment(const char* description, const DateTime& start, int lead, bool alarm = true) {
    return AnAppointment(description).At(start).Lasting(30).AlarmBefore(lead, alarm);
}

// 1 Dentist 3rd 10:00 (alarm 09:45); 2 Night shift 4th 00:30 (alarm 00:10); 3 Review 2nd 15:00
// (alarm 14:45); 4 Walk 3rd 09:00 without alarm.
PimRecords records() {
    PimRecords r;
    r.Appointments.Add(appointment("Dentist", at(3, 10, 0), 15));
    r.Appointments.Add(appointment("Night shift", at(4, 0, 30), 20));
    r.Appointments.Add(appointment("Review", at(2, 15, 0), 15));
    r.Appointments.Add(appointment("Walk", at(3, 9, 0), 15, false));
    return r;
}

QList<int> dueIds(const PimRecords& r, ReminderState state, const DateTime& now) {
    QList<int> ids;
    for (const DueAlarm& due : DueAlarms(r, state, now))
        ids << due.id;
    return ids;
}

} // namespace

class TestReminderQuery : public QObject {
    Q_OBJECT
private slots:
    void dueWhateverTheDate_data();
    void dueWhateverTheDate();
    void missedAlarmsAreThoseOfPastAppointments();
    void snoozeExpiryAndStoredMoment();
    void snoozeFollowsTheClockBack();
    void quietUntilTheAlarmChanges();
    void eachOccurrenceOfASeriesRings();
};

void TestReminderQuery::dueWhateverTheDate_data() {
    QTest::addColumn<DateTime>("now");
    QTest::addColumn<QList<int>>("due");
    QTest::newRow("yesterday's still due") << at(3, 9, 44, 59) << QList<int>{3};
    QTest::newRow("at the moment") << at(3, 9, 45) << QList<int>{3, 1};
    QTest::newRow("before midnight") << at(4, 0, 9, 59) << QList<int>{3, 1};
    QTest::newRow("after midnight, tomorrow's too") << at(4, 0, 10) << QList<int>{3, 1, 2};
    QTest::newRow("clock jumped forward") << at(9, 12, 0) << QList<int>{3, 1, 2};
    QTest::newRow("clock set back") << at(2, 14, 0) << QList<int>{};
}

void TestReminderQuery::dueWhateverTheDate() {
    QFETCH(DateTime, now);
    QFETCH(QList<int>, due);
    QCOMPARE(dueIds(records(), ReminderState(), now), due);
}

void TestReminderQuery::missedAlarmsAreThoseOfPastAppointments() {
    const PimRecords r = records();
    const Appointment& dentist = *r.Appointments.Find(1);
    QVERIFY(IsOver(*r.Appointments.Find(3), at(3, 9, 50)));
    QVERIFY(!IsOver(dentist, at(3, 9, 50)));
    QVERIFY(!IsOver(dentist, at(3, 10, 15))); // under way
    QVERIFY(IsOver(dentist, at(3, 10, 31)));
}

void TestReminderQuery::snoozeExpiryAndStoredMoment() {
    PimRecords r = records();
    ReminderState state;
    state.Snooze(*r.Appointments.Find(1), at(3, 9, 46), DateTimeSpan(0, 0, 10, 0));
    QCOMPARE(dueIds(r, state, at(3, 9, 55, 59)), QList<int>{3});
    const DueAlarm snoozed = DueAlarms(r, state, at(3, 9, 56)).back();
    QCOMPARE(snoozed.id, 1);
    QCOMPARE(snoozed.moment, at(3, 9, 56));

    // Saved while pending: the record carries the snooze from then on, and it still rings on time.
    PimRecords saved = r;
    const std::vector<Appointment> moved = state.TakePending(saved, at(3, 9, 50));
    QCOMPARE(moved.size(), 1u);
    *saved.Appointments.Find(1) = moved.front();
    QCOMPARE(saved.Appointments.Find(1)->AlarmTime, at(3, 9, 56));
    QVERIFY(state.Empty());
    QCOMPARE(dueIds(saved, ReminderState(), at(3, 9, 55)), QList<int>{3});
    QCOMPARE(dueIds(saved, ReminderState(), at(3, 9, 56)), (QList<int>{3, 1}));

    // Saved after it ran out: the alarm keeps its moment.
    state.Snooze(*r.Appointments.Find(1), at(3, 9, 46), DateTimeSpan(0, 0, 10, 0));
    QVERIFY(state.TakePending(r, at(3, 9, 57)).empty());
}

void TestReminderQuery::snoozeFollowsTheClockBack() {
    const PimRecords r = records();
    ReminderState state;
    state.Snooze(*r.Appointments.Find(3), at(3, 9, 46), DateTimeSpan(0, 1, 0, 0));
    // An hour back: the snooze would otherwise last two hours.
    state.FollowClock(at(3, 8, 50));
    QCOMPARE(dueIds(r, state, at(3, 9, 49, 59)), QList<int>{1});
    QCOMPARE(dueIds(r, state, at(3, 9, 50)), (QList<int>{1, 3}));
    // Forward, the snooze keeps its end.
    state.FollowClock(at(3, 9, 0));
    QCOMPARE(dueIds(r, state, at(3, 9, 50)), (QList<int>{1, 3}));
}

void TestReminderQuery::quietUntilTheAlarmChanges() {
    PimRecords r = records();
    ReminderState state;
    state.Quiet(*r.Appointments.Find(3));
    QCOMPARE(dueIds(r, state, at(3, 12, 0)), QList<int>{1});
    r.Appointments.Find(3)->AlarmTime = at(3, 11, 0); // edited: rings by its new moment
    QCOMPARE(dueIds(r, state, at(3, 12, 0)), (QList<int>{1, 3}));
    r.Appointments.Find(1)->Alarm = 0;
    QCOMPARE(dueIds(r, state, at(3, 12, 0)), QList<int>{3});
}

// A daily series at 10:00 with a day's lead: each occurrence rings from the day before until it is
// over, on its own; a changed occurrence without an alarm is quiet, and a snooze holds one only.
void TestReminderQuery::eachOccurrenceOfASeriesRings() {
    PimRecords r;
    Appointment daily = appointment("Daily", at(2, 10, 0), 24 * 60);
    daily.RRule = "FREQ=DAILY;COUNT=5";
    r.Appointments.Add(daily);
    const auto due = [&r](ReminderState& state, const DateTime& now) {
        QStringList keys;
        for (const DueAlarm& alarm : DueAlarms(r, state, now))
            keys << QStringLiteral("%1@%2").arg(alarm.id).arg(QString::fromStdString(alarm.original.Iso()));
        return keys;
    };
    ReminderState state;
    QCOMPARE(due(state, at(1, 9, 59)), QStringList{});
    QCOMPARE(due(state, at(2, 9, 0)), QStringList{"1@2003-06-02"});
    QCOMPARE(due(state, at(2, 10, 15)), (QStringList{"1@2003-06-02", "1@2003-06-03"}));
    QCOMPARE(due(state, at(2, 10, 31)), QStringList{"1@2003-06-03"}); // the 2nd is over
    QCOMPARE(due(state, at(6, 10, 0)), QStringList{"1@2003-06-06"});  // the last of five
    QCOMPARE(due(state, at(7, 10, 0)), QStringList{});

    Appointment quiet = appointment("Daily", at(4, 10, 0), 24 * 60, false);
    quiet.SeriesID = 1;
    quiet.OriginalDate = CalendarDate::FromParts(2003, 6, 4);
    r.Appointments.Add(quiet);
    state.DocumentChanged();
    QCOMPARE(due(state, at(3, 10, 15)), QStringList{"1@2003-06-03"});
    QCOMPARE(due(state, at(4, 10, 15)), QStringList{"1@2003-06-05"});

    state.Snooze({1, CalendarDate::FromParts(2003, 6, 5)}, at(4, 10, 0), at(4, 10, 15), DateTimeSpan(0, 0, 10, 0));
    QCOMPARE(due(state, at(4, 10, 20)), QStringList{});
    QCOMPARE(due(state, at(4, 10, 25)), QStringList{"1@2003-06-05"});
    QCOMPARE(due(state, at(5, 10, 0)), (QStringList{"1@2003-06-05", "1@2003-06-06"}));
}

TAVORO_TEST_MAIN(TestReminderQuery)
#include "TestReminderQuery.moc"
