#include "core/AgendaRows.h"
#include "core/DayListIndex.h"
#include "core/PimRecords.h"
#include "support/RecordBuilders.h"
#include "support/TestMain.h"

#include <QObject>

namespace {

CalendarDate today() {
    return CalendarDate::FromParts(2024, 5, 15); // a Wednesday
}

// What comes next from Wednesday 15 May 2024: an overdue task, today's and later tasks (two of them
// done), a single appointment, an all-day trip over three days, a weekly series and one too far off.
PimRecords records() {
    PimRecords r;
    r.Tasks.Add(ATask("Pay rent").Due(2024, 5, 13));
    r.Tasks.Add(ATask("Filed long ago").Due(2024, 5, 10).DoneOn(Day(2024, 5, 14)));
    r.Tasks.Add(ATask("Call Bob").Due(2024, 5, 15));
    r.Tasks.Add(ATask("Send card").Due(2024, 5, 16).DoneOn(Day(2024, 5, 15)));
    r.Tasks.Add(ATask("Taxes").Due(2024, 5, 20).Priority(Task::Low));
    r.Appointments.Add(AnAppointment("Dentist").On(2024, 5, 16).From(9).AlarmBefore(15));
    Appointment trip = AnAppointment("Trip").On(2024, 5, 14);
    trip.AllDay = 1;
    trip.StartTime = trip.EndTime = trip.DueDate;
    trip.EndDate = CalendarDate::FromParts(2024, 5, 16);
    r.Appointments.Add(trip);
    Appointment yoga = AnAppointment("Yoga").On(2024, 5, 1).From(18);
    yoga.RRule = "FREQ=WEEKLY;COUNT=6"; // Wednesdays to 5 June
    r.Appointments.Add(yoga);
    r.Appointments.Add(AnAppointment("Concert").On(2024, 6, 20).From(20));
    return r;
}

// "# heading" for a heading; "time|text|image" for an entry.
QStringList texts(const std::vector<AgendaRow>& rows) {
    QStringList out;
    for (const AgendaRow& row : rows)
        out << (row.IsEntry() ? QStringLiteral("%1|%2|%3")
                                    .arg(QString::fromStdString(row.time), QString::fromStdString(row.text))
                                    .arg(row.image)
                              : QStringLiteral("# ") + QString::fromStdString(row.heading));
    return out;
}

} // namespace

class TestAgendaRows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsByDay_data();
    void rowsByDay();
    void entriesSayWhereAndWhen();
};

void TestAgendaRows::rowsByDay_data() {
    QTest::addColumn<int>("days");
    QTest::addColumn<QStringList>("expected");
    const QStringList overdue{"# Overdue", "Due 5/13/24|Pay rent|0"};
    const QStringList onToday{"# Today", "All day|Trip (day 2 of 3)|0", "6:00 PM-7:00 PM|Yoga|2", "Task|Call Bob|0"};
    const QStringList onTomorrow{"# Tomorrow", "All day|Trip (day 3 of 3)|0", "9:00 AM-10:00 AM|Dentist|1"};
    const QStringList onMonday{"# Monday, May 20, 2024", "Task|Taxes|2"};
    const QStringList laterYoga{"# Wednesday, May 22, 2024", "6:00 PM-7:00 PM|Yoga|2",    "# Wednesday, May 29, 2024",
                                "6:00 PM-7:00 PM|Yoga|2",    "# Wednesday, June 5, 2024", "6:00 PM-7:00 PM|Yoga|2"};
    // Completed tasks are left out, the done one due tomorrow too; so are days with nothing.
    QTest::newRow("today only") << 1 << overdue + onToday;
    QTest::newRow("two days") << 2 << overdue + onToday + onTomorrow;
    QTest::newRow("a week") << 7 << overdue + onToday + onTomorrow + onMonday;
    QTest::newRow("30 days, the concert beyond") << 30 << overdue + onToday + onTomorrow + onMonday + laterYoga;
    QTest::newRow("none asked: today") << 0 << overdue + onToday;
}

void TestAgendaRows::rowsByDay() {
    QFETCH(int, days);
    QFETCH(QStringList, expected);
    const PimRecords r = records();
    DayListIndex index;
    QCOMPARE(texts(AgendaRows::Build(r, index, today(), days, true)), expected);
}

// Each entry names the day it is listed on and the heading it stands under, for opening it there and
// for screen readers; a series' occurrence names its series.
void TestAgendaRows::entriesSayWhereAndWhen() {
    const PimRecords r = records();
    DayListIndex index;
    const std::vector<AgendaRow> rows = AgendaRows::Build(r, index, today(), 8, true);
    QCOMPARE(rows.at(1).kind, AgendaRow::Kind::Task);
    QCOMPARE(rows.at(1).day, today()); // overdue: today's list shows it
    QCOMPARE(AgendaRows::Spoken(rows.at(1)), std::string("Overdue, Due 5/13/24, Pay rent"));
    const AgendaRow& yoga = rows.at(4);
    QCOMPARE(yoga.kind, AgendaRow::Kind::Appointment);
    QCOMPARE(yoga.seriesId, yoga.id);
    const AgendaRow& dentist = rows.at(8);
    QCOMPARE(dentist.day, today() + 1);
    QCOMPARE(AgendaRows::Spoken(dentist), std::string("Tomorrow, 9:00 AM-10:00 AM, Dentist"));
    QCOMPARE(AgendaRows::Spoken(rows.at(6)), std::string("Tomorrow"));

    PimRecords nothing;
    nothing.Tasks.Add(ATask("Done").Due(2024, 5, 16).DoneOn(Day(2024, 5, 15)));
    DayListIndex fresh;
    QVERIFY(AgendaRows::Build(nothing, fresh, today(), 30, true).empty());
    QCOMPARE(AgendaRows::NothingText(30), std::string("Nothing in the next 30 days"));
}

TAVORO_TEST_MAIN(TestAgendaRows)
#include "TestAgendaRows.moc"
