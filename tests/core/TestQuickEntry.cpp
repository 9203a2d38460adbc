#include "core/QuickEntry.h"
#include "support/TestMain.h"

#include <QObject>

using quickentry::DateOrder;

namespace {

// Monday, 7 December 2026.
const CalendarDate kToday = CalendarDate::FromParts(2026, 12, 7);

QString clock(int minutes) {
    const QString time = QStringLiteral("%1:%2")
                             .arg(minutes % 1440 / 60, 2, 10, QLatin1Char('0'))
                             .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return minutes >= 1440 ? time + QStringLiteral("+%1").arg(minutes / 1440) : time;
}

// "Lunch with Ann | 2026-12-08 | 13:00-14:00 | FREQ=... | 10": the reading in one line, so that a
// failure shows all of it.
QString summary(const quickentry::Reading& r) {
    if (!r.Understood())
        return QStringLiteral("nothing: ") + QString::fromStdString(r.description);
    QString days = QString::fromStdString(r.firstDay.Iso());
    if (r.lastDay.IsValid())
        days += QStringLiteral("..") + QString::fromStdString(r.lastDay.Iso());
    const QString times = r.AllDay() ? QStringLiteral("all day") : clock(r.startMinute) + '-' + clock(r.endMinute);
    return QStringList{QString::fromStdString(r.description), days, times, QString::fromStdString(r.rrule),
                       r.alarmMinutes < 0 ? QStringLiteral("-") : QString::number(r.alarmMinutes)}
        .join(QStringLiteral(" | "));
}

} // namespace

class TestQuickEntry : public QObject {
    Q_OBJECT
private slots:
    void readsLines_data();
    void readsLines();
    void appointmentFromReading();
};

void TestQuickEntry::readsLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("monthFirst");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* line, const char* expected, bool monthFirst = false) {
        QTest::newRow(name) << QString::fromUtf8(line) << monthFirst << QString::fromUtf8(expected);
    };
    // The lines every user tries first.
    row("tomorrow 1pm", "Lunch with Ann tomorrow 1pm", "Lunch with Ann | 2026-12-08 | 13:00-14:00 |  | -");
    row("dotted date, range", "Dentist 14.3. 9:15-10", "Dentist | 2027-03-14 | 09:15-10:00 |  | -");
    row("weekday series", "Standup every weekday 9:30 for 15 min",
        "Standup | 2026-12-07 | 09:30-09:45 | FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR | -");
    row("weekday and reminder", "Call Bob Friday 4pm remind 10 min", "Call Bob | 2026-12-11 | 16:00-17:00 |  | 10");
    row("days of a month", "Trip to Rome 3-7 June", "Trip to Rome | 2027-06-03..2027-06-07 | all day |  | -");
    // Days.
    row("today", "Gym today", "Gym | 2026-12-07 | all day |  | -");
    row("weekday today", "Gym Monday", "Gym | 2026-12-07 | all day |  | -");
    row("next weekday", "Gym next Monday", "Gym | 2026-12-14 | all day |  | -");
    row("short name after on", "Gym on Wed 7pm", "Gym | 2026-12-09 | 19:00-20:00 |  | -");
    row("short name alone", "Sat exam prep", "nothing: Sat exam prep");
    row("next week", "Review next week", "Review | 2026-12-14 | all day |  | -");
    row("next month", "Review next month", "Review | 2027-01-07 | all day |  | -");
    row("in days", "Pay rent in 3 days", "Pay rent | 2026-12-10 | all day |  | -");
    row("day after tomorrow", "Party the day after tomorrow", "Party | 2026-12-09 | all day |  | -");
    row("iso", "Audit 2027-01-15 10:00", "Audit | 2027-01-15 | 10:00-11:00 |  | -");
    row("day month name", "Concert 3rd of March 2027 at 8pm", "Concert | 2027-03-03 | 20:00-21:00 |  | -");
    row("month name day", "Concert March 3, 2028", "Concert | 2028-03-03 | all day |  | -");
    row("later this year", "Party 24 Dec", "Party | 2026-12-24 | all day |  | -");
    row("passed this year", "Party 1 Dec", "Party | 2027-12-01 | all day |  | -");
    row("dotted with year", "Tax 31.1.2027", "Tax | 2027-01-31 | all day |  | -");
    row("no such day", "Tax 31.2.", "nothing: Tax 31.2.");
    row("29 February", "Leap 29 Feb", "Leap | 2028-02-29 | all day |  | -");
    // Numbers that could be day or month follow the locale; a number over 12 decides.
    row("slash, day first", "Meeting 3/4", "Meeting | 2027-04-03 | all day |  | -");
    row("slash, month first", "Meeting 3/4", "Meeting | 2027-03-04 | all day |  | -", true);
    row("slash, only one way", "Meeting 3/14", "Meeting | 2027-03-14 | all day |  | -");
    row("slash with year", "Meeting 12/1/27", "Meeting | 2027-01-12 | all day |  | -");
    row("dots, month-first locale", "Dentist 4.3.", "Dentist | 2027-03-04 | all day |  | -", true);
    // Ranges of days.
    row("month day range", "Fair June 3-5, 2027", "Fair | 2027-06-03..2027-06-05 | all day |  | -");
    row("from to weekdays", "Course from Monday to Wednesday", "Course | 2026-12-07..2026-12-09 | all day |  | -");
    row("dotted range", "Leave 14.3.-16.3.", "Leave | 2027-03-14..2027-03-16 | all day |  | -");
    row("over the new year", "Ski 28 Dec - 3 Jan", "Ski | 2026-12-28..2027-01-03 | all day |  | -");
    row("for days", "Camp 2027-07-01 for 3 days", "Camp | 2027-07-01..2027-07-03 | all day |  | -");
    row("range with times", "Fair 3-5 June 9:00-17:00", "Fair | 2027-06-03 | 09:00-17:00+2 |  | -");
    // Times.
    row("24 hour", "Call 14:30", "Call | 2026-12-07 | 14:30-15:30 |  | -");
    row("at bare hour", "Call at 9", "Call | 2026-12-07 | 09:00-10:00 |  | -");
    row("bare number alone", "Table for 4 people", "nothing: Table for 4 people");
    row("am pm apart", "Call 9:45 p.m.", "Call | 2026-12-07 | 21:45-22:45 |  | -");
    row("12am and 12pm", "Watch 12am-12pm", "Watch | 2026-12-07 | 00:00-12:00 |  | -");
    row("noon", "Lunch at noon", "Lunch | 2026-12-07 | 12:00-13:00 |  | -");
    row("from to", "Class from 9 to 10:30", "Class | 2026-12-07 | 09:00-10:30 |  | -");
    row("meridiem from the end", "Tea 3-4pm", "Tea | 2026-12-07 | 15:00-16:00 |  | -");
    row("morning to afternoon", "Hike 11-1pm", "Hike | 2026-12-07 | 11:00-13:00 |  | -");
    row("end in the afternoon", "Clinic 10:00-2", "Clinic | 2026-12-07 | 10:00-14:00 |  | -");
    row("past midnight", "Party 22:00-2:00", "Party | 2026-12-07 | 22:00-02:00+1 |  | -");
    row("until midnight", "Party 20:00-midnight", "Party | 2026-12-07 | 20:00-00:00+1 |  | -");
    row("for hours", "Workshop tomorrow 10am for 1.5 hours", "Workshop | 2026-12-08 | 10:00-11:30 |  | -");
    row("for half an hour", "Call at 8 for half an hour", "Call | 2026-12-07 | 08:00-08:30 |  | -");
    row("length without start", "Read for 20 min", "nothing: Read for 20 min");
    row("length without start, day given", "Read tomorrow for 20 min", "Read for 20 min | 2026-12-08 | all day |  | -");
    // Repeats.
    row("every day", "Pills every day 8:00", "Pills | 2026-12-07 | 08:00-09:00 | FREQ=DAILY | -");
    row("every week", "Choir every week Thursday 7pm", "Choir | 2026-12-10 | 19:00-20:00 | FREQ=WEEKLY | -");
    row("every Monday", "Team every Monday 10:00", "Team | 2026-12-07 | 10:00-11:00 | FREQ=WEEKLY;BYDAY=MO | -");
    row("two weekdays", "Gym every Tue and Thu 18:00", "Gym | 2026-12-08 | 18:00-19:00 | FREQ=WEEKLY;BYDAY=TU,TH | -");
    row("plural weekday", "Piano Fridays 5pm", "Piano | 2026-12-11 | 17:00-18:00 | FREQ=WEEKLY;BYDAY=FR | -");
    row("every other week", "Cleaning every other week",
        "Cleaning | 2026-12-07 | all day | FREQ=WEEKLY;INTERVAL=2 | -");
    row("every month", "Rent every month 1.1.", "Rent | 2027-01-01 | all day | FREQ=MONTHLY | -");
    row("every year", "Ann's birthday every year 12 May", "Ann's birthday | 2027-05-12 | all day | FREQ=YEARLY | -");
    row("until", "Course every Wed until 31 Jan 19:00",
        "Course | 2026-12-09 | 19:00-20:00 | FREQ=WEEKLY;BYDAY=WE;UNTIL=20270131T235959 | -");
    // Reminders.
    row("remind me before", "Flight 2027-02-01 6:00 remind me 2 hours before",
        "Flight | 2027-02-01 | 06:00-07:00 |  | 120");
    row("remind days", "Exam 20.1. remind 2 days", "Exam | 2027-01-20 | all day |  | 2880");
    row("remind at start", "Call Ann at 3pm remind me", "Call Ann | 2026-12-07 | 15:00-16:00 |  | 0");
    row("remind glued", "Call Ann at 3pm reminder 15min", "Call Ann | 2026-12-07 | 15:00-16:00 |  | 15");
    row("remind too long", "Call at 3pm remind 5 weeks", "Call remind 5 weeks | 2026-12-07 | 15:00-16:00 |  | -");
    row("remind as a word", "Remind Bob of the tax tomorrow", "Remind Bob of the tax | 2026-12-08 | all day |  | -");
    // Words that are left alone.
    row("hyphenated word", "Jean-Luc visit tomorrow", "Jean-Luc visit | 2026-12-08 | all day |  | -");
    row("numbers with dashes", "Flight LH-123 tomorrow 7am", "Flight LH-123 | 2026-12-08 | 07:00-08:00 |  | -");
    row("days and a time", "Move Monday to Friday 10am", "Move | 2026-12-07 | 10:00-11:00+4 |  | -");
    row("second time stays", "Call 9:00 or 10:00", "Call or 10:00 | 2026-12-07 | 09:00-10:00 |  | -");
    row("name that is a month", "Lunch with May at 1pm", "Lunch with May | 2026-12-07 | 13:00-14:00 |  | -");
    row("nothing to read", "Buy milk", "nothing: Buy milk");
    row("empty", "", "nothing: ");
}

void TestQuickEntry::readsLines() {
    QFETCH(QString, line);
    QFETCH(bool, monthFirst);
    QFETCH(QString, expected);
    const quickentry::Reading reading =
        quickentry::Read(line.toStdString(), kToday, monthFirst ? DateOrder::MonthFirst : DateOrder::DayFirst);
    QCOMPARE(summary(reading), expected);
}

// What a reading becomes: times on their days, whole days, the repeat and the alarm's lead.
void TestQuickEntry::appointmentFromReading() {
    const Appointment call =
        quickentry::ToAppointment(quickentry::Read("Call Bob Friday 4pm remind 10 min", kToday, DateOrder::DayFirst));
    QCOMPARE(call.Description, std::string("Call Bob"));
    QCOMPARE(int(call.AllDay), 0);
    QVERIFY(call.DueDate == DateTime(2026, 12, 11, 0, 0, 0));
    QVERIFY(call.StartTime == DateTime(2026, 12, 11, 16, 0, 0));
    QVERIFY(call.EndTime == DateTime(2026, 12, 11, 17, 0, 0));
    QCOMPARE(int(call.Alarm), 1);
    QVERIFY(call.AlarmTime == DateTime(2026, 12, 11, 15, 50, 0));
    QVERIFY(call.RRule.empty());

    const Appointment party =
        quickentry::ToAppointment(quickentry::Read("Party 22:00-2:00", kToday, DateOrder::DayFirst));
    QVERIFY(party.EndTime == DateTime(2026, 12, 8, 2, 0, 0));
    QCOMPARE(int(party.Alarm), 0);

    const Appointment trip =
        quickentry::ToAppointment(quickentry::Read("Trip to Rome 3-7 June", kToday, DateOrder::DayFirst));
    QCOMPARE(int(trip.AllDay), 1);
    QVERIFY(trip.DueDate == DateTime(2027, 6, 3, 0, 0, 0));
    QCOMPARE(trip.EndDate, CalendarDate::FromParts(2027, 6, 7));

    const Appointment standup = quickentry::ToAppointment(
        quickentry::Read("Standup every weekday 9:30 for 15 min", kToday, DateOrder::DayFirst));
    QCOMPARE(standup.RRule, std::string("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"));
    QVERIFY(standup.EndTime == DateTime(2026, 12, 7, 9, 45, 0));
}

TAVORO_TEST_MAIN(TestQuickEntry)
#include "TestQuickEntry.moc"
