#include "DayRecords.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "reports/PreviewWidget.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/DetailPane.h"
#include "shell/MainFrame.h"
#include "shell/editors/PersonSheet.h"
#include "shell/editors/TaskDialog.h"
#include "shell/reminders/MissedRemindersWindow.h"
#include "shell/reminders/ReminderWindow.h"
#include "shell/reminders/SoundPlayer.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>

namespace {

struct SilentSound : SoundPlayer {
    void PlayLooping(const QString&) override {}
    void Stop() override {}
};

// Every widget of `window` that Tab or a click can focus, and whose accessible name (as a screen
// reader reads it) is empty, by its object name or class.
QStringList unnamedControls(QWidget* window) {
    QStringList unnamed;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy())
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << (widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                       : widget->objectName());
    }
    return unnamed;
}

ReminderRow reminderRow(int id) {
    return ReminderRow{OccurrenceKey{id, {}},
                       QStringLiteral("Reminder: Dentist"),
                       QStringLiteral("This is your reminder for your 10:00 AM appointment."),
                       QStringLiteral("Dentist"),
                       QStringLiteral("6/3/03"),
                       QStringLiteral("10:00 AM"),
                       QStringLiteral("10:30 AM")};
}

QWidget* focused() {
    return QApplication::focusWidget();
}

void activate(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void everyFocusableControlIsNamed();
    void mainWindowByKeyboard();
    void taskEditorByKeyboard();
    void reminderWindowsByKeyboard();
    void windowStaysOnTheScreen();

private:
    FakePromptService m_prompts;
};

void TestAccessibility::init() {
    QSettings().clear();
    platform::Clock::setFixed(platform::LocalTime{2003, 6, 3, 9, 0, 0});
}

void TestAccessibility::cleanup() {
    platform::Clock::setFixed(std::nullopt);
}

// A screen reader finds a name on every control of the main window (with the search open), the
// task and person editors and both reminder windows.
void TestAccessibility::everyFocusableControlIsNamed() {
    MainFrame frame(m_prompts, QString());
    frame.Route(cmd::EditFind);
    QVERIFY2(unnamedControls(&frame).isEmpty(), qPrintable(unnamedControls(&frame).join(u',')));

    TaskDialog task(Task(), true);
    QVERIFY2(unnamedControls(&task).isEmpty(), qPrintable(unnamedControls(&task).join(u',')));
    PersonSheet person(Person(), true);
    QVERIFY2(unnamedControls(&person).isEmpty(), qPrintable(unnamedControls(&person).join(u',')));

    SilentSound sound;
    ReminderWindow reminder(QString(), false, sound, nullptr);
    reminder.Add({reminderRow(1)});
    QVERIFY2(unnamedControls(&reminder).isEmpty(), qPrintable(unnamedControls(&reminder).join(u',')));
    auto* missed = new MissedRemindersWindow({reminderRow(1), reminderRow(2)},
                                             QStringLiteral("Reminders that came due."), 0, nullptr);
    QVERIFY2(unnamedControls(missed).isEmpty(), qPrintable(unnamedControls(missed).join(u',')));
    delete missed;

    // The detail pane's values are named by their labels and read out with their values.
    DetailPane* details = frame.View()->Details();
    QWidget* home = details->ValueWidget(PersonDetails::HomePhone);
    QCOMPARE(QAccessible::queryAccessibleInterface(home)->text(QAccessible::Name), QStringLiteral("Home Phone"));
    QCOMPARE(QAccessible::queryAccessibleInterface(home)->text(QAccessible::Description),
             QStringLiteral("Not Available"));
    QCOMPARE(qobject_cast<QLabel*>(details->Labels().first())->buddy(), home);
}

// The main window by keys alone: a long e-mail address ends in an ellipsis with the whole of it in
// the tooltip; the print preview's toolbar is in reach of Tab; a status from the document before
// does not stay after New.
void TestAccessibility::mainWindowByKeyboard() {
    MainFrame frame(m_prompts, QString());
    frame.resize(900, 600);
    activate(&frame);

    Person person = dayrecords::person("Doe, Jane", "", 1, 0);
    person.EMail = "jane.doe.with.a.very.long.address.indeed@example-of-a-long-domain.example.org";
    frame.Document().Add(person);
    frame.UpdateCommandStates();
    frame.View()->Controller().ClickPhoneBook(0);
    auto* email = qobject_cast<QPushButton*>(frame.View()->Details()->ValueWidget(PersonDetails::EMail));
    QVERIFY(email->text().endsWith(QChar(0x2026)));
    QVERIFY(email->toolTip().contains(QString::fromStdString(person.EMail)));
    QCOMPARE(frame.View()->Details()->ValueText(PersonDetails::EMail), QString::fromStdString(person.EMail));

    frame.Route(cmd::ReportWeeklyPlan);
    frame.Route(cmd::FilePrintPreview);
    QVERIFY(frame.InPreview());
    QCOMPARE(focused(), static_cast<QWidget*>(frame.Preview()));
    QStringList reached;
    for (int i = 0; i < 8 && !reached.contains(QStringLiteral("Close Preview")); ++i) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        if (auto* button = qobject_cast<QToolButton*>(focused()); button && button->defaultAction())
            reached << button->defaultAction()->text();
    }
    QVERIFY2(reached.contains(QStringLiteral("Zoom In")), qPrintable(reached.join(u',')));
    QVERIFY2(reached.contains(QStringLiteral("Close Preview")), qPrintable(reached.join(u',')));
    QTest::keyClick(focused(), Qt::Key_Space);
    QVERIFY(!frame.InPreview());

    frame.StatusText()->setText(QStringLiteral("Synchronization failed: the server did not answer."));
    frame.Document().SetModified(false);
    frame.Route(cmd::FileNew);
    QCOMPARE(frame.StatusText()->text(), QStringLiteral("Ready"));
}

// The task editor: access keys reach the fields, and the priorities are one radio group that Tab
// enters at the checked choice and the arrows change.
void TestAccessibility::taskEditorByKeyboard() {
    Task stored;
    stored.Description = "Call";
    stored.Priority = Task::Low;
    TaskDialog dialog(stored, false);
    activate(&dialog);
    auto* description = dialog.findChild<QLineEdit*>(QStringLiteral("Description"));
    QCOMPARE(focused(), static_cast<QWidget*>(description));

    QTest::keyClick(description, Qt::Key_Tab);
    QCOMPARE(focused()->objectName(), QStringLiteral("Low"));
    QTest::keyClick(focused(), Qt::Key_Right);
    QCOMPARE(focused()->objectName(), QStringLiteral("Done"));
    QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("Done"))->isChecked());
    QTest::keyClick(focused(), Qt::Key_Tab);
    QCOMPARE(focused()->objectName(), QStringLiteral("DueDate"));
    QTest::keyClick(focused(), Qt::Key_Backtab);
    QCOMPARE(focused()->objectName(), QStringLiteral("Done"));
    QCOMPARE(dialog.Result().Priority, int(Task::Done));

    QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(focused(), static_cast<QWidget*>(description));
    QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
    QVERIFY(dialog.findChild<QDateEdit*>(QStringLiteral("DueDate"))->isAncestorOf(focused()) ||
            focused()->objectName() == QStringLiteral("DueDate"));
    QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(focused()->objectName(), QStringLiteral("Done"));
}

// The reminder windows: the Snooze choice has a label that reaches it; the missed reminders'
// buttons have access keys of their own.
void TestAccessibility::reminderWindowsByKeyboard() {
    SilentSound sound;
    ReminderWindow reminder(QString(), false, sound, nullptr);
    reminder.Add({reminderRow(1)});
    activate(&reminder);
    QTest::keyClick(&reminder, Qt::Key_F, Qt::AltModifier);
    QCOMPARE(focused(), static_cast<QWidget*>(reminder.findChild<QComboBox*>(QStringLiteral("SnoozeChoice"))));

    MissedRemindersWindow missed({reminderRow(1), reminderRow(2)}, QStringLiteral("Reminders that came due."), 0,
                                 nullptr);
    QSet<QKeySequence> keys;
    for (QPushButton* button : missed.findChildren<QPushButton*>()) {
        const QKeySequence key = QKeySequence::mnemonic(button->text());
        QVERIFY2(!key.isEmpty() && !keys.contains(key), qPrintable(button->text()));
        keys.insert(key);
    }
    QCOMPARE(keys.size(), 3);
}

// With a large font the window still fits the screen's work area and opens inside it.
void TestAccessibility::windowStaysOnTheScreen() {
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 1.8);
    QApplication::setFont(large);
    {
        MainFrame frame(m_prompts, QString());
        const QRect area = frame.screen()->availableGeometry();
        QVERIFY2(frame.minimumWidth() <= area.width() && frame.minimumHeight() <= area.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(frame.minimumWidth()).arg(frame.minimumHeight())));
        frame.CentreOnScreen();
        frame.show();
        QVERIFY(area.contains(frame.geometry()));
    }
    QApplication::setFont(normal);
}

TAVORO_TEST_MAIN(TestAccessibility)
#include "TestAccessibility.moc"
