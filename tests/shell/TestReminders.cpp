#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "core/DayListRows.h"
#include "shell/DayView.h"
#include "shell/reminders/AlarmCommands.h"
#include "shell/reminders/AlarmSettings.h"
#include "shell/reminders/DayReminders.h"
#include "shell/reminders/LoopingSoundPlayer.h"
#include "shell/reminders/ReminderQuery.h"
#include "shell/reminders/ReminderText.h"
#include "shell/reminders/ReminderTimer.h"
#include "shell/reminders/ReminderWindow.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

// The desktop's speaker: records what was asked of it.
struct RecordingSound : SoundPlayer {
    QStringList calls;
    void PlayLooping(const QString& fileName) override { calls << QStringLiteral("play ") + fileName; }
    void Stop() override { calls << QStringLiteral("stop"); }
};

struct CountingObserver : DocumentObserver {
    int changes = 0;
    void DocumentChanged(PimDocument&) override { ++changes; }
};

void setNow(int hour, int minute, int second, int day = 3) {
    platform::Clock::setFixed(platform::LocalTime{2003, 6, day, hour, minute, second});
}

Appointment appointment(const char* description, int hour, int minute, bool alarm, int leadMinutes) {
    Appointment a;
    a.Description = description;
    a.DueDate = DateTime(2003, 6, 3, 0, 0, 0);
    a.StartTime = DateTime(2003, 6, 3, hour, minute, 0);
    a.EndTime = a.StartTime + DateTimeSpan(0, 0, 30, 0);
    a.Alarm = alarm ? 1 : 0;
    a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, leadMinutes, 0);
    return a;
}

// The appointment list as the day view lists it.
std::vector<ListedAppointment> listedOn(const PimDocument& document) {
    std::vector<ListedAppointment> rows;
    for (const ListRow& row : DayListRows::Appointments(document, document.CurrentDate))
        rows.push_back({row.id, true});
    return rows;
}

QList<ReminderWindow*> openReminders() {
    QList<ReminderWindow*> open;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<ReminderWindow*>(widget); window && window->isVisible())
            open << window;
    return open;
}

void closeReminder(ReminderWindow* window, bool turnOff) {
    window->findChild<QCheckBox*>(QStringLiteral("TurnOff"))->setChecked(turnOff);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestReminders : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void dueReminders_data();
    void dueReminders();
    void captionAndMessage_data();
    void captionAndMessage();

    void reminderOpensOncePerAppointment();
    void reminderComesBackUntilTurnedOff();
    void otherDateRaisesNoReminder();
    void silentWithoutAudibleAlarm();
    void reminderWindowCannotBeDismissedOtherwise();

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
    CountingObserver m_observer;
    ReminderTimer* m_timer = nullptr;
};

void TestReminders::init() {
    QSettings().clear();
    setNow(9, 0, 0);
    m_document = new PimDocument;
    m_document->CurrentDate = DateTime(2003, 6, 3, 0, 0, 0);
    m_observer = CountingObserver();
    m_document->AddObserver(&m_observer);
    m_frame = new QWidget;
    m_frame->resize(600, 400);
    m_frame->show();
    m_settings = AlarmSettings();
    m_sound = RecordingSound();
    m_timer = new ReminderTimer(
        *m_document, m_settings, m_sound, [this] { return listedOn(*m_document); }, m_frame);
}

void TestReminders::cleanup() {
    delete m_frame; // the timer and any reminder still open go with it
    delete m_document;
    platform::Clock::setFixed(std::nullopt);
}

void TestReminders::dueReminders_data() {
    QTest::addColumn<int>("second");
    QTest::addColumn<QList<int>>("rows"); // listed IDs; a negative one stands for a row without time
    QTest::addColumn<QList<int>>("due");
    // 1: 10:00 alarm at 09:45; 2: 09:50 alarm at 09:50; 3: 09:30 without alarm; 4: 11:00 alarm at 10:00
    QTest::newRow("a second before") << 9 * 3600 + 44 * 60 + 59 << QList<int>{1, 2, 3, 4} << QList<int>{};
    QTest::newRow("at the moment") << 9 * 3600 + 45 * 60 << QList<int>{1, 2, 3, 4} << QList<int>{1};
    QTest::newRow("later, in listed order") << 9 * 3600 + 55 * 60 << QList<int>{2, 1, 3, 4} << QList<int>{2, 1};
    QTest::newRow("past the start too") << 12 * 3600 << QList<int>{1, 2, 3, 4} << QList<int>{1, 2, 4};
    QTest::newRow("row without time") << 12 * 3600 << QList<int>{-1, 2} << QList<int>{2};
    QTest::newRow("repeated row") << 12 * 3600 << QList<int>{1, 1, 2, 1} << QList<int>{1, 2, 1};
    QTest::newRow("no longer in the document") << 12 * 3600 << QList<int>{9, 2} << QList<int>{2};
    QTest::newRow("nothing listed") << 12 * 3600 << QList<int>{} << QList<int>{};
}

void TestReminders::dueReminders() {
    QFETCH(int, second);
    QFETCH(QList<int>, rows);
    QFETCH(QList<int>, due);
    PimRecords records;
    records.Appointments.Add(appointment("Dentist", 10, 0, true, 15));
    records.Appointments.Add(appointment("Call", 9, 50, true, 0));
    records.Appointments.Add(appointment("Walk", 9, 30, false, 15));
    records.Appointments.Add(appointment("Review", 11, 0, true, 60));
    std::vector<ListedAppointment> listed;
    for (int row : rows)
        listed.push_back({row < 0 ? -row : row, row >= 0});
    const DateTime now(2003, 6, 3, second / 3600, second / 60 % 60, second % 60);
    const std::vector<int> result = DueReminders(listed, records, now);
    QCOMPARE(QList<int>(result.begin(), result.end()), due);
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
    Appointment a = appointment("", 9, 30, true, 15);
    a.Description = description.toStdString();
    QCOMPARE(ReminderCaption(a), caption);
    QCOMPARE(ReminderMessage(a), QStringLiteral("This is your reminder for your 09:30 AM appointment."));
    a.StartTime = DateTime(2003, 6, 3, 13, 5, 0);
    QCOMPARE(ReminderMessage(a), QStringLiteral("This is your reminder for your 01:05 PM appointment."));
}

void TestReminders::reminderOpensOncePerAppointment() {
    m_document->Appointments.Add(appointment("Dentist", 10, 0, true, 15));
    m_document->Appointments.Add(appointment("Barber", 11, 0, true, 15));

    setNow(9, 44, 59);
    m_timer->Check();
    QVERIFY(openReminders().isEmpty());

    setNow(9, 45, 0);
    m_timer->Check();
    QCOMPARE(openReminders().size(), 1);
    ReminderWindow* window = openReminders().first();
    QCOMPARE(window->windowTitle(), QStringLiteral("Reminder: Dentist"));
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Message"))->text(),
             QStringLiteral("This is your reminder for your 10:00 AM appointment."));
    QCOMPARE(m_sound.calls, QStringList({"play beep.wav"}));

    // The next tick finds it open and opens no second one; a later alarm opens its own on top.
    setNow(10, 46, 0);
    m_timer->Check();
    QStringList captions;
    for (ReminderWindow* open : openReminders())
        captions << open->windowTitle();
    captions.sort();
    QCOMPARE(captions, QStringList({"Reminder: Barber", "Reminder: Dentist"}));
}

void TestReminders::reminderComesBackUntilTurnedOff() {
    const int id = m_document->Appointments.Add(appointment("Dentist", 10, 0, true, 15));
    const DateTime alarmTime = m_document->Appointments.Find(id)->AlarmTime;
    setNow(9, 45, 30);
    m_timer->Check();
    QCOMPARE(openReminders().size(), 1);

    closeReminder(openReminders().first(), false);
    QVERIFY(openReminders().isEmpty());
    QCOMPARE(m_sound.calls.last(), QStringLiteral("stop"));
    QCOMPARE(m_document->Appointments.Find(id)->Alarm, 1);
    QVERIFY(!m_document->IsModified());

    setNow(9, 46, 30);
    m_timer->Check();
    QCOMPARE(openReminders().size(), 1);

    QSignalSpy turnedOff(m_timer, &ReminderTimer::reminderTurnedOff);
    closeReminder(openReminders().first(), true);
    QCOMPARE(turnedOff.count(), 1);
    QCOMPARE(m_document->Appointments.Find(id)->Alarm, 0);
    QCOMPARE(m_document->Appointments.Find(id)->AlarmTime, alarmTime);
    QVERIFY(m_document->IsModified());
    QCOMPARE(m_observer.changes, 1);

    setNow(9, 47, 30);
    m_timer->Check();
    QVERIFY(openReminders().isEmpty());
}

void TestReminders::otherDateRaisesNoReminder() {
    m_document->Appointments.Add(appointment("Dentist", 10, 0, true, 15));
    setNow(9, 50, 0);
    m_document->CurrentDate = DateTime(2003, 6, 4, 0, 0, 0);
    m_timer->Check();
    QVERIFY(openReminders().isEmpty());

    m_document->CurrentDate = DateTime(2003, 6, 3, 0, 0, 0);
    m_timer->Check();
    QCOMPARE(openReminders().size(), 1);
}

void TestReminders::silentWithoutAudibleAlarm() {
    m_document->Appointments.Add(appointment("Dentist", 10, 0, true, 15));
    m_settings.SetAudible(false);
    setNow(9, 50, 0);
    m_timer->Check();
    QCOMPARE(openReminders().size(), 1);
    openReminders().first()->Repeat();
    closeReminder(openReminders().first(), false);
    QVERIFY(!m_sound.calls.contains(QStringLiteral("play beep.wav")));
}

void TestReminders::reminderWindowCannotBeDismissedOtherwise() {
    m_document->Appointments.Add(appointment("Dentist", 10, 0, true, 15));
    m_settings.SetSoundFile(QStringLiteral("chime.wav"));
    setNow(9, 50, 0);
    m_timer->Check();
    ReminderWindow* window = openReminders().first();
    QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));

    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());

    // Each minute: to the front again and the sound from its start.
    window->Repeat();
    QCOMPARE(m_sound.calls, QStringList({"play chime.wav", "stop", "play chime.wav"}));
    QVERIFY(window->isVisible());
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
    setNow(9, 50, 0);
    PimDocument document; // today, 2003-06-03, is selected
    const int id = document.Appointments.Add(appointment("Dentist", 10, 0, true, 15));
    {
        DayView view(document, m_frame);
        QVERIFY(view.Reminders().Timer().IsActive());
        QVERIFY(view.AudibleAlarm());

        view.Controller().RefillIfPending();
        view.Reminders().Timer().Check();
        QCOMPARE(openReminders().size(), 1);
        closeReminder(openReminders().first(), true);
        QCOMPARE(document.Appointments.Find(id)->Alarm, 0);
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
