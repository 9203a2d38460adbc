#include "core/ReminderState.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "platform/gui/DesktopNotifications.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/reminders/AlarmCommands.h"
#include "shell/reminders/AlarmSettings.h"
#include "shell/reminders/ClockWatch.h"
#include "shell/reminders/DayReminders.h"
#include "shell/reminders/LastOpenTimes.h"
#include "shell/reminders/LoopingSoundPlayer.h"
#include "shell/reminders/MissedRemindersWindow.h"
#include "shell/reminders/ReminderCenter.h"
#include "shell/reminders/ReminderText.h"
#include "shell/reminders/ReminderWindow.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCharFormat>
#include <QTreeWidget>

namespace {

// The desktop's speaker: records what was asked of it.
struct RecordingSound : SoundPlayer {
    QStringList calls;
    void PlayLooping(const QString& fileName) override { calls << QStringLiteral("play ") + fileName; }
    void Stop() override { calls << QStringLiteral("stop"); }
};

// The desktop's notification service, as a test registers it on a private bus.
class NotificationReceiver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList notices;
public slots:
    uint Notify(const QString& app, uint /*replaces*/, const QString& /*icon*/, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& /*hints*/, int /*timeout*/) {
        notices << app + QLatin1Char('|') + summary + QLatin1Char('|') + body + QLatin1Char('|') + actions.join(',');
        return 40u + static_cast<uint>(notices.size());
    }
    void CloseNotification(uint /*id*/) {}
};

void setNow(int day, int hour, int minute, int second = 0) {
    platform::Clock::setFixed(platform::LocalTime{2003, 6, day, hour, minute, second});
}

Appointment appointment(const char* description, int day, int hour, int minute, bool alarm, int leadMinutes) {
    Appointment a;
    a.Description = description;
    a.DueDate = DateTime(2003, 6, day, 0, 0, 0);
    a.StartTime = DateTime(2003, 6, day, hour, minute, 0);
    a.EndTime = a.StartTime + DateTimeSpan(0, 0, 30, 0);
    a.Alarm = alarm ? 1 : 0;
    a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, leadMinutes, 0);
    return a;
}

QTreeWidget* listOf(QWidget* window) {
    return window->findChild<QTreeWidget*>(QStringLiteral("Reminders"));
}

QStringList column(QWidget* window, int col) {
    QStringList texts;
    QTreeWidget* list = listOf(window);
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(col);
    return texts;
}

void click(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void closeReminder(ReminderWindow* window, bool turnOff) {
    window->findChild<QCheckBox*>(QStringLiteral("TurnOff"))->setChecked(turnOff);
    click(window, "okButton");
}

} // namespace

class TestReminders : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void captionAndMessage_data();
    void captionAndMessage();
    void clockJumps_data();
    void clockJumps();

    void dueAlarmsShareOneWindow();
    void missedRemindersOnOpening();
    void missedRemindersGoBackToTheLastOpening_data();
    void missedRemindersGoBackToTheLastOpening();
    void turnOffOnAnOccurrenceAsks_data();
    void turnOffOnAnOccurrenceAsks();
    void pendingSnoozeIsSaved();
    void reminderWindowCannotBeDismissedOtherwise();
    void desktopNoticeRaisesTheWindow();
    void midnightMovesToday_data();
    void midnightMovesToday();

    void settingsCreatedOnFirstStart();
    void settingsReadBack();
    void alarmSoundCommand();
    void audibleAlarmCommand();
    void soundPlayerLoopsTheShippedBeep();
    void dayViewRunsTheReminders();

private:
    PimDocument* m_document = nullptr;
    QWidget* m_frame = nullptr;
    AlarmSettings m_settings;
    RecordingSound m_sound;
    ReminderCenter* m_center = nullptr;
};

void TestReminders::init() {
    QSettings().clear();
    setNow(3, 9, 50);
    m_document = new PimDocument;
    m_frame = new QWidget;
    m_frame->resize(600, 400);
    m_frame->show();
    m_settings = AlarmSettings();
    m_sound = RecordingSound();
    m_center = new ReminderCenter(*m_document, m_settings, m_sound, m_frame);
}

void TestReminders::cleanup() {
    delete m_center;
    delete m_frame;
    delete m_document;
    platform::Clock::setFixed(std::nullopt);
}

void TestReminders::captionAndMessage_data() {
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<QString>("caption");
    const QString seventyNine(79, QLatin1Char('x'));
    QTest::newRow("short") << QByteArray("Dentist") << "Reminder: Dentist";
    QTest::newRow("79") << QByteArray(79, 'x') << "Reminder: " + seventyNine;
    QTest::newRow("80 is cut") << QByteArray(80, 'x') << "Reminder: " + seventyNine;
    QTest::newRow("characters, not bytes")
        << QByteArray(79, 'x').prepend("\xc3\xa9") << "Reminder: \u00e9" + QString(78, QLatin1Char('x'));
    QTest::newRow("Windows-1252") << QByteArray("Caf\xe9") << "Reminder: Caf\u00e9";
}

void TestReminders::captionAndMessage() {
    QFETCH(QByteArray, description);
    QFETCH(QString, caption);
    Appointment a = appointment("", 3, 9, 30, true, 15);
    a.Description = description.toStdString();
    QCOMPARE(ReminderCaption(a), caption);
    // The message gives the time as the window's table does, in the locale's format.
    QCOMPARE(ReminderMessage(a), QStringLiteral("This is your reminder for your 9:30 AM appointment."));
    a.StartTime = DateTime(2003, 6, 3, 13, 5, 0);
    QCOMPARE(ReminderMessage(a), QStringLiteral("This is your reminder for your 1:05 PM appointment."));
}

void TestReminders::clockJumps_data() {
    QTest::addColumn<int>("wallSeconds");
    QTest::addColumn<int>("steadySeconds");
    QTest::addColumn<bool>("jumped");
    QTest::newRow("time passing") << 5 << 5 << false;
    QTest::newRow("a second off") << 6 << 5 << false;
    QTest::newRow("woke from sleep") << 3600 << 5 << true;
    QTest::newRow("set back") << -600 << 5 << true;
}

void TestReminders::clockJumps() {
    QFETCH(int, wallSeconds);
    QFETCH(int, steadySeconds);
    QFETCH(bool, jumped);
    const DateTime start(2003, 6, 3, 9, 50, 0);
    ClockWatch watch;
    watch.Reset(start, 1000);
    QCOMPARE(watch.Jumped(start + DateTimeSpan(0, 0, 0, wallSeconds), 1000 + steadySeconds * 1000), jumped);
}

// Two alarms on other dates than the one selected ring together; each row is handled on its own.
void TestReminders::dueAlarmsShareOneWindow() {
    const int dentist = *m_document->Add(appointment("Dentist", 3, 10, 0, true, 15));
    const int call = *m_document->Add(appointment("Call the bank", 3, 11, 0, true, 80));
    m_document->Add(appointment("Walk", 3, 9, 0, false, 15));

    m_center->Check();
    ReminderWindow* window = m_center->Window();
    QVERIFY(window && window->isVisible());
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(window->windowTitle(), QStringLiteral("Reminder: 2 appointments"));
    QCOMPARE(column(window, 3), QStringList({"Call the bank", "Dentist"}));
    QCOMPARE(column(window, 0), QStringList({"6/3/03", "6/3/03"}));
    QCOMPARE(column(window, 1), QStringList({"11:00 AM", "10:00 AM"}));
    QCOMPARE(column(window, 2), QStringList({"11:30 AM", "10:30 AM"}));
    QCOMPARE(m_sound.calls, QStringList({"play beep.wav"}));

    // Another look adds nothing; snoozing one row leaves the other as a single reminder.
    m_center->Check();
    QCOMPARE(listOf(window)->topLevelItemCount(), 2);
    listOf(window)->clearSelection();
    listOf(window)->topLevelItem(0)->setSelected(true);
    window->findChild<QComboBox*>(QStringLiteral("SnoozeChoice"))->setCurrentIndex(1);
    click(window, "snoozeButton");
    QCOMPARE(window->windowTitle(), QStringLiteral("Reminder: Dentist"));
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Message"))->text(),
             QStringLiteral("This is your reminder for your 10:00 AM appointment."));
    m_center->Check();
    QCOMPARE(column(window, 3), QStringList({"Dentist"}));

    closeReminder(window, true);
    QVERIFY(!m_center->Window());
    QCOMPARE(m_document->Appointments().Find(dentist)->Alarm, 0);
    QVERIFY(m_document->IsModified());
    QCOMPARE(m_sound.calls.last(), QStringLiteral("stop"));

    // Ten minutes on, the snoozed alarm comes back; OK without turning it off lets it ring again.
    setNow(3, 9, 59, 59);
    m_center->Check();
    QVERIFY(!m_center->Window());
    setNow(3, 10, 0);
    m_center->Check();
    QCOMPARE(column(m_center->Window(), 3), QStringList({"Call the bank"}));
    closeReminder(m_center->Window(), false);
    QCOMPARE(m_document->Appointments().Find(call)->Alarm, 1);
    m_center->Check();
    QVERIFY(m_center->Window());
}

void TestReminders::missedRemindersOnOpening() {
    const int review = *m_document->Add(appointment("Review", 2, 15, 0, true, 15));
    const int old = *m_document->Add(appointment("Old call", 1, 8, 0, true, 5));
    m_document->Add(appointment("Dentist", 3, 10, 0, true, 15));

    m_center->OpeningCheck();
    MissedRemindersWindow* missed = m_center->MissedWindow();
    QVERIFY(missed && missed->isVisible());
    QCOMPARE(missed->windowTitle(), QStringLiteral("Missed reminders"));
    // Newest first.
    QCOMPARE(column(missed, 0), QStringList({"3:00 PM", "8:00 AM"}));
    QCOMPARE(column(missed, 1), QStringList({"6/2/03", "6/1/03"}));
    QCOMPARE(column(missed, 2), QStringList({"Review", "Old call"}));
    // The appointment still ahead rings as usual.
    QCOMPARE(column(m_center->Window(), 3), QStringList({"Dentist"}));

    listOf(missed)->clearSelection();
    listOf(missed)->topLevelItem(0)->setSelected(true);
    click(missed, "turnOffSelectedButton");
    QCOMPARE(m_document->Appointments().Find(review)->Alarm, 0);
    QCOMPARE(column(missed, 2), QStringList({"Old call"}));
    click(missed, "closeButton");
    QVERIFY(!m_center->MissedWindow());

    // Closed, the rest stay set but ring no more this session.
    QCOMPARE(m_document->Appointments().Find(old)->Alarm, 1);
    closeReminder(m_center->Window(), false);
    m_center->Check();
    QCOMPARE(column(m_center->Window(), 3), QStringList({"Dentist"}));
}

void TestReminders::missedRemindersGoBackToTheLastOpening_data() {
    QTest::addColumn<QString>("lastOpen"); // "" for a first opening here
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("older");
    QTest::addColumn<QString>("explanation");
    QTest::newRow("first opening: the last 7 days")
        << "" << QStringList{"Review", "Call", "Lunch"} << "1 older reminder was left out."
        << "These reminders came due in the last 7 days, while this document was not open here.";
    QTest::newRow("since the last opening")
        << "2003-06-01T12:00:00" << QStringList{"Review"} << "3 older reminders were left out."
        << "These reminders came due while this document was closed, since it was last open here on "
           "Sunday, June 1, 2003 at 12:00 PM.";
}

// Old appointments whose alarms are still set: only what came due since the document was last open
// here is listed, newest first, with one line for the rest; none of them rings.
void TestReminders::missedRemindersGoBackToTheLastOpening() {
    QFETCH(QString, lastOpen);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("diary.pgr"));
    m_center->SetFileName([file] { return file; });
    if (!lastOpen.isEmpty())
        QSettings().setValue(
            QStringLiteral("LastOpen/%1")
                .arg(QString::fromLatin1(QCryptographicHash::hash(file.toUtf8(), QCryptographicHash::Sha1).toHex())),
            lastOpen);
    // Back from June by whole days.
    const auto earlier = [](Appointment a, double days) {
        for (DateTime* moment : {&a.DueDate, &a.StartTime, &a.EndTime, &a.AlarmTime})
            *moment = *moment - DateTimeSpan(days);
        return a;
    };
    m_document->Add(earlier(appointment("Lunch", 27, 12, 0, true, 10), 31)); // 27 May
    m_document->Add(earlier(appointment("Call", 28, 8, 0, true, 0), 31));    // 28 May
    m_document->Add(appointment("Review", 2, 15, 0, true, 15));              // 2 June
    m_document->Add(earlier(appointment("Ancient", 1, 8, 0, true, 0), 730)); // two years before

    m_center->OpeningCheck();
    MissedRemindersWindow* missed = m_center->MissedWindow();
    QVERIFY(missed && missed->isVisible());
    QTEST(column(missed, 2), "listed");
    QTEST(missed->OlderLine(), "older");
    QTEST(missed->Explanation()->text(), "explanation");
    QVERIFY(!m_center->Window());
    // The opening is remembered for the next one.
    QCOMPARE(LastOpenTimes::Read(file), DateTime(2003, 6, 3, 9, 50, 0));
    // The same file read again this session (as the program starts) lists the same.
    m_center->DocumentReplaced(*m_document);
    m_center->OpeningCheck();
    QVERIFY(m_center->MissedWindow());
    QTEST(column(m_center->MissedWindow(), 2), "listed");
}

void TestReminders::turnOffOnAnOccurrenceAsks_data() {
    QTest::addColumn<int>("answer"); // 0 this occurrence, 1 all occurrences, 2 cancel
    QTest::addColumn<int>("seriesAlarm");
    QTest::addColumn<int>("appointments");
    QTest::newRow("only this occurrence") << 0 << 1 << 2;
    QTest::newRow("all occurrences") << 1 << 0 << 1;
    QTest::newRow("cancelled") << 2 << 1 << 1;
}

void TestReminders::turnOffOnAnOccurrenceAsks() {
    QFETCH(int, answer);
    Appointment daily = appointment("Standup", 1, 10, 0, true, 15);
    daily.RRule = "FREQ=DAILY";
    const int series = *m_document->Add(daily);
    FakePromptService prompts;
    prompts.queueChoice(answer == 2 ? std::nullopt : std::optional<int>(answer));
    m_center->SetPromptService(&prompts);
    setNow(3, 9, 50);
    m_center->Check();
    ReminderWindow* window = m_center->Window();
    QVERIFY(window);
    QCOMPARE(column(window, 0), QStringList{"6/3/03"});
    closeReminder(window, true);
    // Asked once, through the same service as the editor's series questions.
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].caption, QStringLiteral("Turn off reminder"));
    QCOMPARE(prompts.messages[0].text, QStringLiteral("\"Standup\" repeats. Turn off the reminder of only this "
                                                      "occurrence, or of all occurrences of the series?"));
    QCOMPARE(prompts.choiceLists[0], (QStringList{"&Only this occurrence", "&All occurrences"}));
    QTEST(int(m_document->Appointments().Find(series)->Alarm), "seriesAlarm");
    QTEST(int(m_document->Appointments().Count()), "appointments");
    if (answer == 0) {
        // The occurrence of the 3rd stands apart with its alarm off; the 4th still rings.
        for (const auto& [id, record] : m_document->Appointments())
            if (id != series)
                QCOMPARE(record.Alarm, 0);
        setNow(4, 9, 50);
        m_center->Check();
        QVERIFY(m_center->Window());
        QCOMPARE(column(m_center->Window(), 0), QStringList{"6/4/03"});
    }
}

void TestReminders::pendingSnoozeIsSaved() {
    const int id = *m_document->Add(appointment("Dentist", 3, 10, 0, true, 15));
    m_center->Check();
    click(m_center->Window(), "snoozeButton"); // 5 minutes
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("snoozed.pgr"));
    QVERIFY(DocumentStorage(*m_document).WriteToFile(path));

    FakePromptService prompts;
    PimDocument reread;
    QVERIFY(DocumentStorage(reread).ReadFromFile(path, prompts));
    QCOMPARE(reread.Appointments().Find(id)->Alarm, 1);
    QCOMPARE(reread.Appointments().Find(id)->AlarmTime, DateTime(2003, 6, 3, 9, 55, 0));
    // Read back, the document replaces what the center knew, and the snooze still holds.
    QVERIFY(DocumentStorage(*m_document).ReadFromFile(path, prompts));
    QVERIFY(m_center->State().Empty());
    m_center->OpeningCheck();
    QVERIFY(!m_center->Window());
    setNow(3, 9, 55);
    m_center->Check();
    QVERIFY(m_center->Window());
}

void TestReminders::reminderWindowCannotBeDismissedOtherwise() {
    m_document->Add(appointment("Dentist", 3, 10, 0, true, 15));
    m_settings.SetSoundFile(QStringLiteral("chime.wav"));
    m_center->Check();
    ReminderWindow* window = m_center->Window();
    QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));

    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());

    // Each minute: to the front again and the sound from its start; silent when not audible.
    window->Repeat();
    QCOMPARE(m_sound.calls, QStringList({"play chime.wav", "stop", "play chime.wav"}));
    closeReminder(window, true);
    m_settings.SetAudible(false);
    m_document->Add(appointment("Barber", 3, 11, 0, true, 90));
    m_sound.calls.clear();
    m_center->Check();
    m_center->Window()->Repeat();
    QVERIFY(!m_sound.calls.contains(QStringLiteral("play chime.wav")));
}

// The desktop's service lives on a bus of its own for the test; a click on the notice raises the window.
void TestReminders::desktopNoticeRaisesTheWindow() {
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    QVERIFY2(daemon.waitForStarted(), "dbus-daemon is part of the build's packages");
    QVERIFY(daemon.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    {
        QDBusConnection desktop = QDBusConnection::connectToBus(address, QStringLiteral("desktop"));
        NotificationReceiver receiver;
        QVERIFY(desktop.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &receiver,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(desktop.registerService(QStringLiteral("org.freedesktop.Notifications")));

        platform::DesktopNotifications notifications(QDBusConnection::connectToBus(address, QStringLiteral("app")));
        ReminderCenter center(*m_document, m_settings, m_sound, m_frame, &notifications);
        m_document->Add(appointment("Dentist", 3, 10, 0, true, 15));
        center.Check();
        QTRY_COMPARE(receiver.notices, QStringList({"Tavoro!|Reminder: Dentist|This is your reminder for your 10:00 AM "
                                                    "appointment.|default,Show"}));

        ReminderWindow* window = center.Window();
        window->showMinimized();
        QSignalSpy activated(&notifications, &platform::DesktopNotifications::activated);
        desktop.send(QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                QStringLiteral("org.freedesktop.Notifications"),
                                                QStringLiteral("ActionInvoked"))
                     << 41u << QStringLiteral("default"));
        QTRY_COMPARE(activated.count(), 1);
        QVERIFY(!window->isMinimized());
        closeReminder(window, false);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
    QDBusConnection::disconnectFromBus(QStringLiteral("app"));
    daemon.terminate();
    daemon.waitForFinished();
}

void TestReminders::midnightMovesToday_data() {
    QTest::addColumn<int>("shownDay");
    QTest::addColumn<int>("shownAfter");
    QTest::newRow("today shown") << 3 << 4;
    QTest::newRow("another day shown") << 10 << 10;
}

// At midnight the calendar's mark moves on, a day view showing today follows, and unfinished tasks
// move forward to the new today.
void TestReminders::midnightMovesToday() {
    QFETCH(int, shownDay);
    QFETCH(int, shownAfter);
    setNow(3, 23, 59, 59);
    PimDocument document;
    Task task;
    task.Description = "Pay rent";
    task.DueDate = DateTime(2003, 6, 3, 0, 0, 0);
    document.Add(task);
    DayView view(document, m_frame);
    view.Controller().ShowDate(DateTime(2003, 6, shownDay, 0, 0, 0));
    view.Controller().RefillIfPending();
    const QDate third(2003, 6, 3);
    const QDate fourth(2003, 6, 4);
    QCOMPARE(view.Calendar()->dateTextFormat(third).fontWeight(), int(QFont::Bold));

    setNow(4, 0, 0, 1);
    view.Reminders().Center().Check();
    QCOMPARE(view.Controller().CurrentDate(), DateTime(2003, 6, shownAfter, 0, 0, 0));
    QCOMPARE(view.Calendar()->selectedDate(), QDate(2003, 6, shownAfter));
    QCOMPARE(view.Controller().Tasks().Count(), shownAfter == 4 ? 1 : 0);
    QCOMPARE(view.Calendar()->dateTextFormat(fourth).fontWeight(), int(QFont::Bold));
    QVERIFY(view.Calendar()->dateTextFormat(third).fontWeight() != int(QFont::Bold));
    QCOMPARE(view.Controller().Active(), ActiveList::None);
}

void TestReminders::settingsCreatedOnFirstStart() {
    AlarmSettings settings;
    settings.Read();
    QVERIFY(settings.Audible());
    QCOMPARE(settings.SoundFile(), QStringLiteral("beep.wav"));
    QSettings stored;
    QCOMPARE(stored.value(QStringLiteral("Alarm/UseAlarmSound")).toInt(), 1);
    QCOMPARE(stored.value(QStringLiteral("Alarm/AlarmSound")).toString(), QStringLiteral("beep.wav"));
}

void TestReminders::settingsReadBack() {
    {
        QSettings stored;
        stored.setValue(QStringLiteral("Alarm/UseAlarmSound"), 0);
    }
    AlarmSettings settings;
    settings.Read();
    QVERIFY(!settings.Audible());
    // With the key there, a missing sound name keeps its default and is not written.
    QCOMPARE(settings.SoundFile(), QStringLiteral("beep.wav"));
    QVERIFY(!QSettings().contains(QStringLiteral("Alarm/AlarmSound")));

    {
        QSettings stored;
        stored.setValue(QStringLiteral("Alarm/UseAlarmSound"), 7);
        stored.setValue(QStringLiteral("Alarm/AlarmSound"), QStringLiteral("/usr/share/sounds/bell.wav"));
    }
    AlarmSettings again;
    again.Read();
    QVERIFY(again.Audible());
    QCOMPARE(again.SoundFile(), QStringLiteral("/usr/share/sounds/bell.wav"));
}

void TestReminders::alarmSoundCommand() {
    FakePromptService prompts;
    AlarmSettings settings;
    prompts.queueFileName(std::nullopt);
    QVERIFY(!ChooseAlarmSound(settings, prompts));
    QCOMPARE(settings.SoundFile(), QStringLiteral("beep.wav"));
    QVERIFY(!QSettings().contains(QStringLiteral("Alarm/AlarmSound")));

    prompts.queueFileName(QStringLiteral("/home/ada/gong.wav"));
    QVERIFY(ChooseAlarmSound(settings, prompts));
    QCOMPARE(settings.SoundFile(), QStringLiteral("/home/ada/gong.wav"));
    QCOMPARE(QSettings().value(QStringLiteral("Alarm/AlarmSound")).toString(), QStringLiteral("/home/ada/gong.wav"));

    QCOMPARE(prompts.dialogs.size(), 2);
    QVERIFY(!prompts.dialogs.last().save);
    QCOMPARE(prompts.dialogs.last().request.initialName, QStringLiteral("beep.wav"));
}

void TestReminders::audibleAlarmCommand() {
    AlarmSettings settings;
    settings.Read();
    ToggleAudibleAlarm(settings);
    QVERIFY(!settings.Audible());
    QCOMPARE(QSettings().value(QStringLiteral("Alarm/UseAlarmSound")).toInt(), 0);
    ToggleAudibleAlarm(settings);
    QVERIFY(settings.Audible());
    QCOMPARE(QSettings().value(QStringLiteral("Alarm/UseAlarmSound")).toInt(), 1);
}

void TestReminders::soundPlayerLoopsTheShippedBeep() {
    QCOMPARE(LoopingSoundPlayer::Locate(QStringLiteral("beep.wav")),
             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("beep.wav")));
    const QString shipped = QStringLiteral(TAVORO_RESOURCES "/beep.wav");
    QVERIFY(QFileInfo::exists(shipped));
    LoopingSoundPlayer player;
    player.PlayLooping(shipped);
    QCOMPARE(player.Effect().source(), QUrl::fromLocalFile(shipped));
    QCOMPARE(player.Effect().loopCount(), int(QSoundEffect::Infinite));
    player.Stop();
    QVERIFY(!player.Effect().isPlaying());
}

void TestReminders::dayViewRunsTheReminders() {
    PimDocument document;
    const int id = *document.Add(appointment("Dentist", 3, 10, 0, true, 15));
    {
        DayView view(document, m_frame);
        view.Controller().ShowDate(DateTime(2003, 7, 1, 0, 0, 0)); // another month altogether
        QVERIFY(view.Reminders().Center().IsActive());
        QVERIFY(view.AudibleAlarm());

        // The first look comes as soon as the event loop runs, not a minute later.
        QTRY_VERIFY(view.Reminders().Center().Window());
        closeReminder(view.Reminders().Center().Window(), true);
        QCOMPARE(document.Appointments().Find(id)->Alarm, 0);
        QVERIFY(document.IsModified());

        QVERIFY(view.HandleCommand(cmd::AudibleAlarm));
        QVERIFY(!view.AudibleAlarm());
        QSettings().setValue(QStringLiteral("Alarm/UseAlarmSound"), 1);
    }
    // Going away, the day view writes its audible switch.
    QCOMPARE(QSettings().value(QStringLiteral("Alarm/UseAlarmSound")).toInt(), 0);
}

TAVORO_TEST_MAIN(TestReminders)
#include "TestReminders.moc"
