#include "shell/editors/AlarmMinutes.h"
#include "shell/editors/AppointmentDraft.h"
#include "shell/editors/AppointmentTimes.h"
#include "support/TestMain.h"
#include "support/ZoneScope.h"

#include <QTest>

namespace {

DateTime at(int hour, int minute) {
    return DateTime(2003, 6, 3, hour, minute, 0);
}

QString hm(const DateTime& time) {
    return QString::fromStdString(time.Format("%H:%M"));
}

// "HH:MM-HH:MM", start and end.
QString span(const DateTime& start, const DateTime& end) {
    return hm(start) + QLatin1Char('-') + hm(end);
}

DateTime parse(const QString& text) {
    return at(text.left(2).toInt(), text.mid(3, 2).toInt());
}

Appointment appointmentAt(int startHour, int startMinute, int endHour, int endMinute) {
    Appointment appointment;
    appointment.ID = 7;
    appointment.Description = "Dentist";
    appointment.DueDate = DateTime(2003, 6, 3, 0, 0, 0);
    appointment.StartTime = at(startHour, startMinute);
    appointment.EndTime = at(endHour, endMinute);
    appointment.AlarmTime = appointment.StartTime;
    return appointment;
}

} // namespace

class TestAppointmentDraft : public QObject {
    Q_OBJECT
private slots:
    void newAppointmentStart_data();
    void newAppointmentStart();
    void arrows_data();
    void arrows();
    void alarmMinutesStepAndWrap_data();
    void alarmMinutesStepAndWrap();
    void alarmMinutesFromStoredAlarm_data();
    void alarmMinutesFromStoredAlarm();
    void fullHourLeadSurvivesOk();
    void movedStartCarriesTheAlarm();
    void switchingAlarmOnAndOff();
    void longLeads_data();
    void longLeads();
    void leadUnitsStepAndClamp();
    void typedTimes_data();
    void typedTimes();
    void repeatRuleStaysAsWritten();
    void zonedTimesShowAsTheZoneReadsThem();
};

void TestAppointmentDraft::newAppointmentStart_data() {
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("times");
    QTest::newRow("10:05") << 10 << 5 << "10:00-10:15";
    QTest::newRow("10:20") << 10 << 20 << "10:15-10:30";
    QTest::newRow("10:35") << 10 << 35 << "11:30-11:45";
    QTest::newRow("10:50") << 10 << 50 << "11:45-12:00";
    QTest::newRow("14:37") << 14 << 37 << "15:30-15:45";
    QTest::newRow("09:00") << 9 << 0 << "09:00-09:15";
}

void TestAppointmentDraft::newAppointmentStart() {
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(QString, times);
    const DateTime day(2003, 6, 14, 0, 0, 0);
    const Appointment result = AppointmentDraft::ForNew(day, DateTime(2003, 6, 1, hour, minute, 42)).Result();
    QCOMPARE(span(result.StartTime, result.EndTime), times);
    QCOMPARE(result.DueDate, day);
    QCOMPARE(result.StartTime.Date(), day);
    QCOMPARE(result.StartTime.Second(), 0);
    QCOMPARE(result.AlarmTime, result.StartTime);
}

void TestAppointmentDraft::arrows_data() {
    QTest::addColumn<bool>("begin"); // the "Begin:" arrows, else the "End:" ones
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("startMoved");
    QTest::newRow("begin up wraps to 05:00, end stays") << true << "22:45-23:00" << 1 << "05:00-23:00" << true;
    QTest::newRow("begin up pushes the end") << true << "10:45-11:00" << 1 << "11:00-11:15" << true;
    QTest::newRow("begin up within the hour") << true << "10:00-12:00" << 1 << "10:15-12:00" << true;
    QTest::newRow("begin down wraps to 22:45, end pushed") << true << "05:00-09:00" << -1 << "22:45-23:00" << true;
    QTest::newRow("begin down across the hour") << true << "10:00-12:00" << -1 << "09:45-12:00" << true;
    QTest::newRow("begin odd minute up snaps to the hour") << true << "10:40-12:00" << 1 << "11:00-12:00" << true;
    QTest::newRow("begin odd minute down snaps to 45") << true << "10:07-12:00" << -1 << "09:45-12:00" << true;
    QTest::newRow("begin late start from a file wraps") << true << "23:30-23:45" << 1 << "05:00-23:45" << true;
    QTest::newRow("end down wraps to 23:00") << false << "05:00-05:15" << -1 << "05:00-23:00" << false;
    QTest::newRow("end down pushes the start") << false << "09:00-09:15" << -1 << "08:45-09:00" << true;
    QTest::newRow("end up from 23:00 wraps, start pushed") << false << "09:00-23:00" << 1 << "05:00-05:15" << true;
    QTest::newRow("end up from 23:30 wraps too") << false << "05:00-23:30" << 1 << "05:00-05:15" << false;
    QTest::newRow("end up across the hour") << false << "09:00-09:45" << 1 << "09:00-10:00" << false;
}

void TestAppointmentDraft::arrows() {
    QFETCH(bool, begin);
    QFETCH(QString, from);
    QFETCH(int, steps);
    QFETCH(QString, to);
    QFETCH(bool, startMoved);
    AppointmentTimes times(DateTime(2003, 6, 3, 0, 0, 0), parse(from.left(5)), parse(from.mid(6)));
    if (begin)
        times.StepBegin(steps);
    else
        times.StepEnd(steps);
    QCOMPARE(span(times.Start(), times.End()), to);
    QCOMPARE(times.StartMoved(), startMoved);
}

void TestAppointmentDraft::alarmMinutesStepAndWrap_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("to");
    QTest::newRow("0 up") << 0 << 1 << 5;
    QTest::newRow("55 up") << 55 << 1 << 60;
    QTest::newRow("60 up wraps") << 60 << 1 << 0;
    QTest::newRow("0 down wraps") << 0 << -1 << 60;
    QTest::newRow("5 down") << 5 << -1 << 0;
    QTest::newRow("round trip up") << 15 << 13 << 15;
    QTest::newRow("odd lead up") << 7 << 1 << 12;
    QTest::newRow("odd lead down twice") << 7 << -2 << 60;
    QTest::newRow("above the range down") << 90 << -1 << 60;
    QTest::newRow("above the range up wraps") << 90 << 1 << 0;
    QTest::newRow("below the range up") << -30 << 1 << 0;
}

void TestAppointmentDraft::alarmMinutesStepAndWrap() {
    QFETCH(int, from);
    QFETCH(int, steps);
    QFETCH(int, to);
    AlarmMinutes minutes(from);
    QVERIFY(!minutes.Touched());
    minutes.StepBy(steps);
    QCOMPARE(minutes.Value(), to);
    QVERIFY(minutes.Touched());
}

void TestAppointmentDraft::alarmMinutesFromStoredAlarm_data() {
    QTest::addColumn<bool>("alarmOn");
    QTest::addColumn<int>("alarmHour");
    QTest::addColumn<int>("alarmMinute");
    QTest::addColumn<int>("shown");
    QTest::newRow("full hour") << true << 9 << 0 << 60;
    QTest::newRow("quarter") << true << 9 << 45 << 15;
    QTest::newRow("at the start") << true << 10 << 0 << 0;
    QTest::newRow("off shows 0") << false << 9 << 45 << 0;
    QTest::newRow("more than an hour shows as it is") << true << 8 << 30 << 90;
    QTest::newRow("after the start shows as it is") << true << 10 << 30 << -30;
}

void TestAppointmentDraft::alarmMinutesFromStoredAlarm() {
    QFETCH(bool, alarmOn);
    QFETCH(int, alarmHour);
    QFETCH(int, alarmMinute);
    QFETCH(int, shown);
    QCOMPARE(AlarmMinutes::FromAlarm(alarmOn, at(10, 0), at(alarmHour, alarmMinute)).Value(), shown);
}

void TestAppointmentDraft::fullHourLeadSurvivesOk() {
    Appointment appointment = appointmentAt(10, 0, 11, 0);
    appointment.Alarm = 1;
    appointment.AlarmTime = at(9, 0);
    AppointmentDraft draft(appointment);
    QCOMPARE(draft.Minutes().Value(), 60);
    QCOMPARE(draft.Result(), appointment);

    // Stepping away and back computes the hour again, from the start.
    draft.Minutes().StepBy(1);
    draft.Minutes().StepBy(-1);
    QCOMPARE(draft.Result().AlarmTime, at(9, 0));
}

void TestAppointmentDraft::movedStartCarriesTheAlarm() {
    Appointment appointment = appointmentAt(10, 0, 11, 0);
    appointment.Alarm = 1;
    appointment.AlarmTime = at(9, 45);
    AppointmentDraft draft(appointment);
    draft.Times().StepBegin(2);
    QCOMPARE(draft.Result().AlarmTime, at(10, 15));
}

void TestAppointmentDraft::switchingAlarmOnAndOff() {
    Appointment appointment = appointmentAt(10, 0, 11, 0);
    appointment.AlarmTime = at(7, 0);
    AppointmentDraft draft(appointment);
    draft.SetAlarmOn(true);
    draft.Minutes().StepBy(3);
    Appointment result = draft.Result();
    QCOMPARE(result.Alarm, 1);
    QCOMPARE(result.AlarmTime, at(9, 45));

    // Off keeps the stored moment as it was.
    Appointment armed = appointmentAt(10, 0, 11, 0);
    armed.Alarm = 1;
    armed.AlarmTime = at(9, 50);
    AppointmentDraft off(armed);
    off.SetAlarmOn(false);
    result = off.Result();
    QCOMPARE(result.Alarm, 0);
    QCOMPARE(result.AlarmTime, at(9, 50));
}

void TestAppointmentDraft::longLeads_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("unit");
    using Unit = AlarmMinutes::Unit;
    QTest::newRow("an hour and a half stays in minutes") << 90 << 90 << int(Unit::Minutes);
    QTest::newRow("two hours") << 120 << 2 << int(Unit::Hours);
    QTest::newRow("a day and an hour") << 25 * 60 << 25 << int(Unit::Hours);
    QTest::newRow("two days") << 2 * 24 * 60 << 2 << int(Unit::Days);
    QTest::newRow("a week") << 7 * 24 * 60 << 1 << int(Unit::Weeks);
    QTest::newRow("four weeks") << 28 * 24 * 60 << 4 << int(Unit::Weeks);
    QTest::newRow("beyond four weeks, as it is") << 29 * 24 * 60 << 29 * 24 * 60 << int(Unit::Minutes);
}

void TestAppointmentDraft::longLeads() {
    QFETCH(int, minutes);
    QFETCH(int, amount);
    QFETCH(int, unit);
    const DateTime start(2027, 5, 3, 10, 0, 0);
    const AlarmMinutes lead = AlarmMinutes::FromAlarm(true, start, start - DateTimeSpan(0, 0, minutes, 0));
    QCOMPARE(lead.Amount(), amount);
    QCOMPARE(int(lead.LeadUnit()), unit);
    QCOMPARE(lead.Value(), minutes);
}

void TestAppointmentDraft::leadUnitsStepAndClamp() {
    AlarmMinutes lead(45);
    lead.SetUnit(AlarmMinutes::Unit::Weeks);
    QCOMPARE(lead.Amount(), 4);
    lead.StepBy(1);
    QCOMPARE(lead.Amount(), 1);
    lead.StepBy(-1);
    QCOMPARE(lead.Amount(), 4);
    lead.SetUnit(AlarmMinutes::Unit::Days);
    lead.StepBy(3);
    QCOMPARE(lead.Value(), 7 * 24 * 60);
    lead.SetUnit(AlarmMinutes::Unit::Minutes);
    QCOMPARE(lead.Value(), 7);
    QVERIFY(lead.Touched());
}

void TestAppointmentDraft::typedTimes_data() {
    QTest::addColumn<bool>("begin");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("span");
    QTest::addColumn<int>("endDays");
    QTest::newRow("a begin to the minute") << true << "09:07"
                                           << "09:07-11:00" << 0;
    QTest::newRow("a begin outside the arrows' hours") << true << "04:10"
                                                       << "04:10-11:00" << 0;
    QTest::newRow("a begin past the end pushes it") << true << "11:30"
                                                    << "11:30-11:45" << 0;
    QTest::newRow("an end to the minute") << false << "12:59"
                                          << "10:00-12:59" << 0;
    QTest::newRow("an end before the begin is the next day") << false << "01:30"
                                                             << "10:00-01:30" << 1;
}

void TestAppointmentDraft::typedTimes() {
    QFETCH(bool, begin);
    QFETCH(QString, typed);
    QFETCH(QString, span);
    QFETCH(int, endDays);
    AppointmentTimes times(at(0, 0), at(10, 0), at(11, 0));
    const DateTime value = parse(typed);
    if (begin)
        times.SetBegin(value.Hour(), value.Minute());
    else
        times.SetEnd(value.Hour(), value.Minute());
    QCOMPARE(::span(times.Start(), times.End()), span);
    QCOMPARE(times.EndDays(), endDays);
    QCOMPARE(CalendarDate::Of(times.End()) - CalendarDate::Of(times.Start()), endDays);
    // Moving to another day keeps the end as many days later.
    times.MoveToDay(2003, 7, 1);
    QCOMPARE(CalendarDate::Of(times.End()) - CalendarDate::Of(times.Start()), endDays);
}

void TestAppointmentDraft::repeatRuleStaysAsWritten() {
    Appointment series = appointmentAt(10, 0, 11, 0);
    series.RRule = "FREQ=MONTHLY;BYDAY=1TU,3TU"; // beyond the section's choices
    series.RDates = {CalendarDate::FromParts(2003, 7, 4)};
    AppointmentDraft draft(series);
    QVERIFY(!draft.Repeat().fits);
    QCOMPARE(draft.Result(), series);
    // Moving the day keeps a rule the section cannot show, and the dates added to it.
    draft.MoveToDay(2003, 6, 10);
    QCOMPARE(draft.Result().RRule, series.RRule);
    QCOMPARE(draft.Result().RDates, series.RDates);
    // A choice in the section writes the rule anew, without them.
    RepeatPattern weekly;
    weekly.frequency = RepeatPattern::Frequency::Weekly;
    draft.SetRepeat(weekly);
    QCOMPARE(QString::fromStdString(draft.Result().RRule), QStringLiteral("FREQ=WEEKLY;BYDAY=TU"));
    QVERIFY(draft.Result().RDates.empty());
    QCOMPARE(QString::fromStdString(draft.RuleInWords()), QStringLiteral("Weekly on Tuesday"));
}

void TestAppointmentDraft::zonedTimesShowAsTheZoneReadsThem() {
    ZoneScope zone("Europe/Berlin");
    Appointment call = appointmentAt(15, 0, 16, 0); // 09:00-10:00 in New York
    call.TimeZone = "America/New_York";
    AppointmentDraft draft(call);
    QCOMPARE(span(draft.Times().Start(), draft.Times().End()), QStringLiteral("09:00-10:00"));
    QCOMPARE(draft.Result(), call);
    draft.Times().SetBegin(9, 30);
    QCOMPARE(draft.Result().StartTime, at(15, 30));
    // The computer's zone: the same wall-clock times, meant here.
    draft.SetZone({});
    QCOMPARE(draft.Result().StartTime, at(9, 30));
    QCOMPARE(draft.Result().TimeZone, std::string());
}

TAVORO_TEST_MAIN(TestAppointmentDraft)
#include "TestAppointmentDraft.moc"
