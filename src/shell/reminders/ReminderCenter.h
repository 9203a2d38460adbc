#pragma once

#include "ClockWatch.h"
#include "ReminderText.h"
#include "core/ReminderQuery.h"
#include "core/ReminderState.h"
#include "docfile/DocumentObserver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>

class AlarmSettings;
class MissedRemindersWindow;
class PimDocument;
class QWidget;
class ReminderWindow;
class SoundPlayer;

namespace platform {
class DesktopNotifications;
class PromptService;
} // namespace platform

// Rings the document's alarms: every alarm whose moment has come, whatever date the calendar shows.
// It looks when a document is opened or started anew, at each minute boundary and as soon as the
// clock jumps (the computer woke from sleep). Alarms that fell due while the document was not open
// here and whose appointments are over are listed once in "Missed reminders" (back to its last
// opening, newest first); the others ring
// together in one reminder window, and on the desktop's notification service when there is one.
// It also notices midnight, when "today" moves on.
class ReminderCenter : public QObject, public DocumentObserver {
    Q_OBJECT
public:
    static constexpr int HeartbeatMs = 5000;

    // Windows are centred over `over` while it can be seen. Without notifications, the windows alone.
    ReminderCenter(PimDocument& document, const AlarmSettings& settings, SoundPlayer& sound, QWidget* over,
                   platform::DesktopNotifications* notifications = nullptr, QObject* parent = nullptr);
    ~ReminderCenter() override;

    // Starts the timers; the first look follows as soon as the event loop runs.
    void Start();
    bool IsActive() const { return m_minute.isActive(); }

    // Rings every due alarm not yet shown, and moves "today" on when the date changed.
    void Check();
    // The look on opening a document: the missed alarms listed, then Check().
    void OpeningCheck();
    // Raises and activates the open reminder windows: they may have opened before the main window
    // showed, which then covers them where no window manager keeps a dialog above its parent.
    void BringWindowsForward();

    // The open document's file, whose last opening here bounds the missed reminders listed (an
    // untitled document has none: the last 7 days are listed). Without it, every document is untitled.
    void SetFileName(std::function<QString()> fileName) { m_fileName = std::move(fileName); }
    // Who answers whether turning off an occurrence's reminder means the series; without it, a
    // message box over the main window asks.
    void SetPromptService(platform::PromptService* prompts) { m_prompts = prompts; }

    // How far back the missed reminders of a first opening go.
    static constexpr int kFirstOpeningDays = 7;

    ReminderState& State() { return m_state; }
    ReminderWindow* Window() const;
    MissedRemindersWindow* MissedWindow() const;

    void DocumentChanged(PimDocument& document) override;
    void DocumentClosing(PimDocument& document) override;
    void DocumentReplaced(PimDocument& document) override;
    void DocumentSaving(const PimDocument& document) override;

signals:
    // A reminder was turned off; the document is already marked modified and its observers told.
    void reminderTurnedOff(int id);
    // The date changed since the last look (midnight, or the clock was set).
    void todayChanged(const DateTime& previous, const DateTime& today);

private:
    void armMinuteTimer();
    void heartbeat();
    // Lists the due alarms not yet shown in the reminder window, and sends their notices.
    void ring(const std::vector<DueAlarm>& due);
    ReminderWindow* window();
    void notify(const QList<ReminderRow>& rows);
    void turnOff(const QList<OccurrenceKey>& keys);
    // The series a key's alarm belongs to (its own, or a changed occurrence's); 0 for a single one.
    int seriesOf(const OccurrenceKey& key) const;
    QString fileName() const { return m_fileName ? m_fileName() : QString(); }
    void showMissed(const QList<ReminderRow>& rows, int older, const std::optional<DateTime>& lastOpen);
    void snooze(const QList<OccurrenceKey>& keys, int minutes);
    // The alarm moment an occurrence has now; nothing when it is gone.
    std::optional<DateTime> alarmOf(const OccurrenceKey& key);
    void closeWindows();

    PimDocument& m_document;
    const AlarmSettings& m_settings;
    SoundPlayer& m_sound;
    QPointer<QWidget> m_over;
    platform::DesktopNotifications* m_notifications;
    bool m_attached = false;
    ReminderState m_state;
    DateTime m_today;
    QPointer<ReminderWindow> m_window;
    QPointer<MissedRemindersWindow> m_missed;
    QTimer m_minute;
    QTimer m_heartbeat;
    QTimer m_opening;
    QElapsedTimer m_steady;
    ClockWatch m_clockWatch;
    std::function<QString()> m_fileName;
    // The file whose last opening was read this session, and what was read.
    std::optional<std::pair<QString, std::optional<DateTime>>> m_lastOpen;
    platform::PromptService* m_prompts = nullptr;
};
