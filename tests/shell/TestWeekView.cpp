#include "core/OccurrenceIndex.h"
#include "core/WeekLayout.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/editors/AppointmentDialog.h"
#include "shell/views/WeekGrid.h"
#include "shell/views/WeekView.h"
#include "support/FakePromptService.h"
#include "support/RecordBuilders.h"
#include "support/TestMain.h"
#include "support/WhenModal.h"

#include <QSettings>

// The week page: how a week's occurrences are laid out, and the keys and drags that open, add and
// move appointments. Today is Wednesday 2024-05-15; the en_US week runs Sunday 12 to Saturday 18.
namespace {

CalendarDate may(int day) {
    return CalendarDate::FromParts(2024, 5, day);
}

// "Name DAY HH:MM MINUTES" for a timed appointment in May 2024, "Name DAY all DAYS" for whole
// days; a trailing "weekly" makes it repeat weekly.
Appointment fromLine(const QString& line) {
    const QStringList parts = line.split(QLatin1Char(' '));
    const int day = parts[1].toInt();
    Appointment a;
    if (parts[2] == QStringLiteral("all")) {
        a = AnAppointment(parts[0].toStdString()).On(2024, 5, day).From(0).Lasting(0);
        a.AllDay = 1;
        a.EndDate = may(day) + (parts[3].toInt() - 1);
    } else {
        const QTime start = QTime::fromString(parts[2], QStringLiteral("hh:mm"));
        a = AnAppointment(parts[0].toStdString())
                .On(2024, 5, day)
                .From(start.hour(), start.minute())
                .Lasting(parts[3].toInt());
    }
    if (parts.size() > 4)
        a.RRule = "FREQ=WEEKLY";
    return a;
}

// Each box "Name dD START-END COL/COLS" (">" where it began the day before, "<" where it goes on),
// each bar "Name dFIRST-LAST laneL", then "hours FIRST-LAST".
QStringList shown(const std::vector<Appointment>& appointments) {
    PimRecords records;
    std::vector<BirthdayOccurrence> birthdays;
    for (const Appointment& a : appointments) {
        if (a.Description == "Birthday")
            birthdays.push_back({CalendarDate::Of(a.DueDate), 0, false, 36});
        else
            records.Appointments.Add(a);
    }
    const WeekLayout::Plan plan = WeekLayout::Lay(Occurrences::Between(records, may(12), may(18)), birthdays, may(12));
    const auto name = [&](const Occurrence& o) {
        return QString::fromStdString(records.Appointments.Find(o.id)->Description);
    };
    QStringList lines;
    for (const WeekLayout::Box& b : plan.boxes)
        lines << QStringLiteral("%1 d%2 %3%4-%5%6 %7/%8")
                     .arg(name(b.occurrence))
                     .arg(b.day)
                     .arg(b.fromBefore ? QStringLiteral(">") : QString())
                     .arg(b.startMinute)
                     .arg(b.endMinute)
                     .arg(b.goesOn ? QStringLiteral("<") : QString())
                     .arg(b.column)
                     .arg(b.columns);
    for (const WeekLayout::BandEntry& e : plan.band)
        lines << QStringLiteral("%1 d%2-%3 lane%4")
                     .arg(e.birthday >= 0 ? QStringLiteral("Birthday") : name(e.occurrence))
                     .arg(e.firstDay)
                     .arg(e.lastDay)
                     .arg(e.lane);
    lines << QStringLiteral("hours %1-%2").arg(plan.firstHour).arg(plan.lastHour);
    return lines;
}

struct Frame {
    Frame() : frame(prompts, QString()) {
        frame.resize(frame.sizeHint());
        frame.show();
        if (!QTest::qWaitForWindowActive(&frame))
            qWarning("the main window did not become active");
        frame.ShowView(MainView::Week);
    }
    PimDocument& document() { return frame.Document(); }
    DayViewController& controller() { return frame.View()->Controller(); }
    WeekView& week() { return *frame.Week(); }
    WeekGrid& grid() { return *week().Grid(); }
    void settle() {
        controller().RefillIfPending();
        frame.UpdateCommandStates();
        QCoreApplication::processEvents();
    }
    void key(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = {}) {
        // A dialog that closed leaves the window to be activated again, as the desktop does.
        if (!frame.isActiveWindow()) {
            frame.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&frame));
        }
        QCOMPARE(QApplication::focusWidget(), &week());
        for (int i = 0; i < times; ++i) {
            settle();
            QTest::keyClick(&week(), key, modifiers);
        }
        settle();
    }
    // The box of the appointment with this description (the first, on its first day shown).
    int box(const char* description) {
        settle();
        const auto& boxes = week().Plan().boxes;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (document().Appointments().Find(boxes[i].occurrence.id)->Description == description)
                return static_cast<int>(i);
        return -1;
    }
    // Drags a point of a box (its lower edge with `edge`) to the same point `days` and `minutes` away.
    void drag(int box, int days, int minutes, bool cancel = false, bool edge = false) {
        QWidget* viewport = grid().parentWidget();
        const QRect rect = grid().BoxRect(box);
        const QPoint grab =
            edge ? rect.bottomLeft() + QPoint(4, -1) : rect.topLeft() + QPoint(4, grid().SlotHeight() / 2);
        const QPoint from = grid().mapTo(viewport, grab);
        const int across = grid().DayLeft(1) - grid().DayLeft(0);
        const QPoint to = from + QPoint(days * across, minutes / 15 * grid().SlotHeight());
        QTest::mousePress(&grid(), Qt::LeftButton, {}, grid().mapFrom(viewport, from));
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(&grid(), grid().mapFrom(viewport, from + (to - from) * step / 4));
        if (cancel)
            QTest::keyClick(&week(), Qt::Key_Escape);
        QTest::mouseRelease(&grid(), Qt::LeftButton, {}, grid().mapFrom(viewport, to));
        settle();
    }
    // Presses Enter on the week and answers what the editor opened with: "description HH:MM day".
    QString enterOpens() {
        QString opened = QStringLiteral("<nothing>");
        whenModal<AppointmentDialog>([&opened](AppointmentDialog* dialog) {
            const Appointment a = dialog->Result();
            opened = QStringLiteral("%1 %2 %3")
                         .arg(QString::fromStdString(a.Description))
                         .arg(QString::fromStdString(a.StartTime.Format("%H:%M")))
                         .arg(a.StartTime.Day());
            dialog->reject();
        });
        key(Qt::Key_Return);
        return opened;
    }

    FakePromptService prompts;
    MainFrame frame;
};

} // namespace

class TestWeekView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QSettings().clear();
        platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
    }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void layout_data();
    void layout();
    void keysOpenAndAdd();
    void dragMovesAsOneStep();
    void dragOfAnOccurrenceAsksAndChangesIt();
};

void TestWeekView::layout_data() {
    QTest::addColumn<QStringList>("appointments");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("overlaps side by side")
        << QStringList{"A 13 09:00 60", "B 13 09:30 60", "C 13 10:00 60", "D 13 14:00 60", "E 14 09:00 0"}
        << QStringList{"A d1 540-600 0/2", "B d1 570-630 1/2", "C d1 600-660 0/2",
                       "D d1 840-900 0/1", "E d2 540-555 0/1", "hours 5-23"};
    QTest::newRow("past midnight: cut and continued, the hours widened")
        << QStringList{"Night 14 22:00 240", "Early 16 04:30 30", "Late 18 23:00 90"}
        << QStringList{"Night d2 1320-1440< 0/1", "Night d3 >0-120 0/1", "Early d4 270-300 0/1",
                       "Late d6 1380-1440< 0/1", "hours 0-24"};
    QTest::newRow("all-day band spanning its days")
        << QStringList{"Trip 13 all 3",        "Fair 14 all 1",          "Expo 16 all 1",    "Before 10 all 4",
                       "Flight 17 08:00 1500", "Gym 13 18:00 60 weekly", "Birthday 14 all 1"}
        << QStringList{"Gym d1 1080-1140 0/1", "Before d0-1 lane0", "Trip d1-3 lane1",   "Fair d2-2 lane0",
                       "Birthday d2-2 lane2",  "Expo d4-4 lane0",   "Flight d5-6 lane0", "hours 5-23"};
}

void TestWeekView::layout() {
    QFETCH(QStringList, appointments);
    std::vector<Appointment> records;
    for (const QString& line : appointments)
        records.push_back(fromLine(line));
    QTEST(shown(records), "expected");
}

void TestWeekView::keysOpenAndAdd() {
    Frame f;
    f.document().Add(AnAppointment("Dentist").On(2024, 5, 16).From(9));
    f.document().Add(AnAppointment("Call").On(2024, 5, 16).From(9, 30).Lasting(30));
    Appointment yoga = AnAppointment("Yoga").On(2024, 5, 1).From(10);
    yoga.RRule = "FREQ=WEEKLY;COUNT=6";
    f.document().Add(yoga);
    f.settle();
    QCOMPARE(f.week().CursorDay(), 3);
    QVERIFY(f.week().hasFocus());

    // From Wednesday 09:00, Right goes to Thursday and selects the dentist; Tab the call beside it
    // in the slot below; Enter opens it.
    QCOMPARE(f.week().CursorSlot(), 9 * 4);
    f.key(Qt::Key_Right);
    QCOMPARE(f.controller().CurrentDate(), Day(2024, 5, 16));
    QVERIFY(f.week().accessibleName().contains(QStringLiteral("Thursday 16 May")));
    QVERIFY(f.week().accessibleName().endsWith(QStringLiteral("Dentist")));
    QCOMPARE(f.enterOpens(), QStringLiteral("Dentist 09:00 16"));
    f.key(Qt::Key_Down, 2);
    f.key(Qt::Key_Tab);
    QCOMPARE(f.enterOpens(), QStringLiteral("Call 09:30 16"));

    // PgDn to the next week, Left to Wednesday 22 May, Down to 10:00: Yoga, a series' occurrence,
    // asks which occurrences are meant before it opens.
    f.key(Qt::Key_PageDown);
    f.key(Qt::Key_Left);
    f.key(Qt::Key_Down, 2);
    QCOMPARE(f.controller().CurrentDate(), Day(2024, 5, 22));
    f.prompts.queueChoice(0);
    QCOMPARE(f.enterOpens(), QStringLiteral("Yoga 10:00 22"));
    QCOMPARE(f.prompts.choiceLists.size(), 1);

    // An empty slot adds an appointment at its time; Home comes back to today.
    f.key(Qt::Key_Down, 4);
    QCOMPARE(f.enterOpens(), QStringLiteral(" 11:00 22"));
    f.key(Qt::Key_Home);
    QCOMPARE(f.controller().CurrentDate(), Day(2024, 5, 15));

    // Del deletes the selected appointment once the user says yes.
    f.key(Qt::Key_Right);
    f.key(Qt::Key_Up, 8);
    f.prompts.queueAnswer(platform::PromptAnswer::Yes);
    f.key(Qt::Key_Delete);
    QVERIFY(!f.document().Appointments().Find(1));
}

void TestWeekView::dragMovesAsOneStep() {
    Frame f;
    f.document().Add(AnAppointment("Dentist").On(2024, 5, 15).From(9).AlarmBefore(15));
    f.settle();
    const std::size_t steps = f.document().History().Count();
    // Esc during the drag leaves it where it was.
    f.drag(f.box("Dentist"), 1, 60, true);
    QCOMPARE(f.document().Appointments().Find(1)->StartTime, DateTime(2024, 5, 15, 9, 0, 0));

    f.drag(f.box("Dentist"), 1, 60);
    const Appointment* moved = f.document().Appointments().Find(1);
    QCOMPARE(moved->StartTime, DateTime(2024, 5, 16, 10, 0, 0));
    QCOMPARE(moved->EndTime, DateTime(2024, 5, 16, 11, 0, 0));
    QCOMPARE(moved->DueDate, Day(2024, 5, 16));
    QCOMPARE(moved->AlarmTime, DateTime(2024, 5, 16, 9, 45, 0));
    QCOMPARE(f.document().History().Count(), steps + 1);
    f.document().Undo();
    QCOMPARE(f.document().Appointments().Find(1)->StartTime, DateTime(2024, 5, 15, 9, 0, 0));

    // The keys move the selected box too: Ctrl+Right a day later, Ctrl+Shift+Down its end.
    f.week().Select({false, f.box("Dentist")});
    f.key(Qt::Key_Right, 1, Qt::ControlModifier);
    f.key(Qt::Key_Down, 1, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.document().Appointments().Find(1)->StartTime, DateTime(2024, 5, 16, 9, 0, 0));
    QCOMPARE(f.document().Appointments().Find(1)->EndTime, DateTime(2024, 5, 16, 10, 15, 0));
    // Its lower edge dragged half an hour down: the end moves, the start stays.
    f.drag(f.box("Dentist"), 0, 30, false, true);
    QCOMPARE(f.document().Appointments().Find(1)->StartTime, DateTime(2024, 5, 16, 9, 0, 0));
    QCOMPARE(f.document().Appointments().Find(1)->EndTime, DateTime(2024, 5, 16, 10, 45, 0));
}

void TestWeekView::dragOfAnOccurrenceAsksAndChangesIt() {
    Frame f;
    Appointment yoga = AnAppointment("Yoga").On(2024, 5, 1).From(10);
    yoga.RRule = "FREQ=WEEKLY;COUNT=6";
    f.document().Add(yoga);
    f.settle();
    f.prompts.queueChoice(0); // "Only this occurrence"
    f.drag(f.box("Yoga"), 0, 120);
    QCOMPARE(f.prompts.choiceLists.value(0).value(0), QStringLiteral("Only this occurrence"));
    QCOMPARE(f.document().Appointments().Count(), std::size_t(2));
    const Appointment* changed = f.document().Appointments().Find(2);
    QCOMPARE(changed->SeriesID, 1);
    QCOMPARE(changed->OriginalDate, may(15));
    QCOMPARE(changed->StartTime, DateTime(2024, 5, 15, 12, 0, 0));
    QCOMPARE(f.document().Appointments().Find(1)->StartTime, DateTime(2024, 5, 1, 10, 0, 0));
}

TAVORO_TEST_MAIN(TestWeekView)
#include "TestWeekView.moc"
