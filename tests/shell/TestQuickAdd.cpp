#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/QuickAddField.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

// The Quick Add field of the main window, driven by its keys as a user drives it.
namespace {

// A shown, untitled main window on Wednesday, 15 May 2024, 10:30.
struct Frame {
    Frame() : frame(prompts, QString()) {
        frame.UpdateCommandStates();
        frame.show();
        frame.activateWindow();
        if (!QTest::qWaitForWindowActive(&frame))
            qWarning("the main window did not become active: its shortcuts will not answer");
    }
    QuickAddField* field() const { return frame.View()->QuickAdd(); }
    QLineEdit* edit() const { return field()->Edit(); }
    QString preview() const { return field()->Preview()->isVisible() ? field()->Preview()->text() : QString(); }
    const PimDocument& document() { return frame.Document(); }
    // Keys go where the user's would: to the widget that has the focus.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : static_cast<QWidget*>(&frame), key, modifiers);
        frame.UpdateCommandStates();
    }

    FakePromptService prompts;
    MainFrame frame;
};

} // namespace

class TestQuickAdd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void commandAndNames();
    void showsWhatItUnderstood_data();
    void showsWhatItUnderstood();
    void enterAddsOneUndoStep();
    void escClearsAndUnreadLinesAddNothing();
};

void TestQuickAdd::init() {
    QSettings().clear();
    QSettings().sync();
    platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
}

// Appointments > "Quick Add..." and its key put the cursor in the field; a reader of the screen
// hears what the field is for.
void TestQuickAdd::commandAndNames() {
    Frame f;
    QAction* action = f.frame.Action(cmd::AppointmentQuickAdd);
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("&Quick Add..."));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    QCOMPARE(f.edit()->accessibleName(), QStringLiteral("Quick Add"));
    QVERIFY(!f.edit()->accessibleDescription().isEmpty());
    QVERIFY(!f.edit()->hasFocus());
    f.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(f.edit()->hasFocus());
}

void TestQuickAdd::showsWhatItUnderstood_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("preview");
    QTest::newRow("tomorrow") << "Lunch with Ann tomorrow 1pm"
                              << "Lunch with Ann: Thursday, May 16, 2024, 1:00 PM-2:00 PM";
    QTest::newRow("series and reminder")
        << "Standup every weekday 9:30 for 15 min remind 5 min"
        << "Standup: Wednesday, May 15, 2024, 9:30 AM-9:45 AM; every weekday; reminder 5 minutes before";
    QTest::newRow("days") << "Trip to Rome 3-7 June"
                          << "Trip to Rome: Monday, June 3, 2024 to Friday, June 7, 2024, all day";
    QTest::newRow("every two weeks") << "Cleaning every 2 weeks on Fri remind 1 day"
                                     << "Cleaning: Friday, May 17, 2024, all day; every 2 weeks; reminder 1 day before";
    QTest::newRow("past midnight") << "Party Saturday 22:00-2:00"
                                   << "Party: Saturday, May 18, 2024, 10:00 PM to Sunday, May 19, 2024, 2:00 AM";
    QTest::newRow("nothing yet") << "Buy milk"
                                 << "No day or time yet: say when, such as \"tomorrow 1pm\".";
}

void TestQuickAdd::showsWhatItUnderstood() {
    QFETCH(QString, typed);
    QFETCH(QString, preview);
    Frame f;
    f.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClicks(f.edit(), typed);
    QCOMPARE(f.preview(), preview);
    QCOMPARE(f.edit()->accessibleDescription(), preview);
}

// Enter adds the appointment and shows its day with it selected; Ctrl+Z takes it back in one step.
void TestQuickAdd::enterAddsOneUndoStep() {
    Frame f;
    f.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClicks(f.edit(), QStringLiteral("Call Bob Friday 4pm remind 10 min"));
    f.key(Qt::Key_Return);
    QCOMPARE(f.document().Appointments().Count(), 1u);
    const Appointment& added = f.document().Appointments().begin()->second;
    QCOMPARE(added.Description, std::string("Call Bob"));
    QVERIFY(added.StartTime == DateTime(2024, 5, 17, 16, 0, 0));
    QVERIFY(added.EndTime == DateTime(2024, 5, 17, 17, 0, 0));
    QCOMPARE(int(added.Alarm), 1);
    QVERIFY(added.AlarmTime == DateTime(2024, 5, 17, 15, 50, 0));
    QCOMPARE(f.frame.View()->Calendar()->selectedDate(), QDate(2024, 5, 17));
    QCOMPARE(f.frame.View()->Controller().SelectedAppointment().id, added.ID);
    QVERIFY(f.edit()->text().isEmpty());
    QVERIFY(f.preview().isEmpty());
    QVERIFY(f.frame.Action(cmd::EditUndo)->isEnabled());

    // Still in the field, Ctrl+Z undoes the document's step, not the line's.
    QVERIFY(f.edit()->hasFocus());
    f.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.document().Appointments().Count(), 0u);
    QVERIFY(!f.frame.Action(cmd::EditUndo)->isEnabled());
    // While the line holds typing, Ctrl+Z undoes the typing (Undo has shown the day's list; the
    // user comes back to the line).
    f.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClicks(f.edit(), QStringLiteral("ab"));
    f.key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(f.edit()->text().size() < 2);
    QCOMPARE(f.document().Appointments().Count(), 0u);
}

void TestQuickAdd::escClearsAndUnreadLinesAddNothing() {
    Frame f;
    f.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClicks(f.edit(), QStringLiteral("Buy milk"));
    f.key(Qt::Key_Return);
    QCOMPARE(f.document().Appointments().Count(), 0u);
    QCOMPARE(f.edit()->text(), QStringLiteral("Buy milk"));
    f.key(Qt::Key_Escape);
    QVERIFY(f.edit()->text().isEmpty());
    QVERIFY(f.preview().isEmpty());
    QVERIFY(f.frame.isVisible());
}

TAVORO_TEST_MAIN(TestQuickAdd)
#include "TestQuickAdd.moc"
