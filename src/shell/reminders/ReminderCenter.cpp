#include "ReminderCenter.h"

#include "AlarmSettings.h"
#include "MissedRemindersWindow.h"
#include "ReminderWindow.h"
#include "core/ReminderQuery.h"
#include "docfile/DocumentBatch.h"
#include "docfile/PimDocument.h"
#include "platform/gui/DesktopNotifications.h"

namespace {
// Past the boundary by a little, so that the clock already reads the new minute.
constexpr int kBoundaryMarginMs = 50;
constexpr int kSeparateNotices = 3;
} // namespace

ReminderCenter::ReminderCenter(PimDocument& document, const AlarmSettings& settings, SoundPlayer& sound, QWidget* over,
                               platform::DesktopNotifications* notifications, QObject* parent)
    : QObject(parent), m_document(document), m_settings(settings), m_sound(sound), m_over(over),
      m_notifications(notifications), m_today(DateTime::Today()) {
    m_document.AddObserver(this);
    m_attached = true;
    m_minute.setSingleShot(true);
    m_minute.setTimerType(Qt::PreciseTimer);
    connect(&m_minute, &QTimer::timeout, this, [this] {
        Check();
        armMinuteTimer();
    });
    m_heartbeat.setInterval(HeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &ReminderCenter::heartbeat);
    m_opening.setSingleShot(true);
    m_opening.setInterval(0);
    connect(&m_opening, &QTimer::timeout, this, &ReminderCenter::OpeningCheck);
    if (m_notifications) {
        connect(m_notifications, &platform::DesktopNotifications::activated, this, [this] {
            if (m_window)
                m_window->Raise();
        });
    }
}

ReminderCenter::~ReminderCenter() {
    if (m_attached)
        m_document.RemoveObserver(this);
    closeWindows();
    // Gone with the center rather than later: they hold on to its sound player.
    delete m_window;
    delete m_missed;
}

ReminderWindow* ReminderCenter::Window() const {
    return m_window;
}

MissedRemindersWindow* ReminderCenter::MissedWindow() const {
    return m_missed;
}

void ReminderCenter::Start() {
    m_steady.start();
    m_clockWatch.Reset(DateTime::Now(), m_steady.elapsed());
    m_heartbeat.start();
    armMinuteTimer();
    m_opening.start();
}

void ReminderCenter::armMinuteTimer() {
    const int second = DateTime::Now().Second();
    m_minute.start((60 - (second >= 0 && second < 60 ? second : 0)) * 1000 + kBoundaryMarginMs);
}

// A clock that jumped (sleep, or set by hand) makes the minute timer's aim wrong: look now and aim again.
void ReminderCenter::heartbeat() {
    if (!m_clockWatch.Jumped(DateTime::Now(), m_steady.elapsed()))
        return;
    Check();
    armMinuteTimer();
}

void ReminderCenter::Check() {
    const DateTime now = DateTime::Now();
    const DateTime today = now.Date();
    if (today != m_today) {
        const DateTime previous = m_today;
        m_today = today;
        emit todayChanged(previous, today);
    }
    m_state.FollowClock(now);
    ring(DueAlarms(m_document.Records(), m_state, now));
}

void ReminderCenter::OpeningCheck() {
    m_opening.stop();
    const DateTime now = DateTime::Now();
    QList<ReminderRow> missed;
    for (const DueAlarm& due : DueAlarms(m_document.Records(), m_state, now)) {
        const Appointment* appointment = m_document.Appointments().Find(due.id);
        if (!IsOver(due, now))
            continue;
        missed << ReminderRowOf(*appointment, due);
        m_state.Quiet(due.Key(), alarmOf(due.Key()).value_or(DateTime()));
    }
    if (!missed.isEmpty()) {
        if (m_missed)
            m_missed->close();
        m_missed = new MissedRemindersWindow(missed, m_over);
        connect(m_missed, &MissedRemindersWindow::turnedOff, this, &ReminderCenter::turnOff);
        m_missed->show();
        m_missed->raise();
        m_missed->activateWindow();
    }
    Check();
}

ReminderWindow* ReminderCenter::window() {
    if (m_window)
        return m_window;
    m_window = new ReminderWindow(m_settings.SoundFile(), m_settings.Audible(), m_sound, m_over);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to the program, but ticks still run: alarms that come due meanwhile join the list.
    m_window->setWindowModality(Qt::ApplicationModal);
    connect(m_window, &ReminderWindow::turnedOff, this, &ReminderCenter::turnOff);
    connect(m_window, &ReminderWindow::snoozed, this, &ReminderCenter::snooze);
    // Closed, it is gone at once: alarms that ring before it is deleted open a new one.
    connect(m_window, &QDialog::finished, this, [this] {
        m_window = nullptr;
        if (m_notifications)
            m_notifications->WithdrawAll();
    });
    return m_window;
}

void ReminderCenter::ring(const std::vector<DueAlarm>& due) {
    QList<ReminderRow> rows;
    for (const DueAlarm& alarm : due)
        if (!m_window || !m_window->Lists(alarm.Key()))
            rows << ReminderRowOf(*m_document.Appointments().Find(alarm.id), alarm);
    if (rows.isEmpty())
        return;
    ReminderWindow* shown = window();
    const bool wasVisible = shown->isVisible();
    shown->Add(rows);
    notify(rows);
    if (wasVisible)
        shown->Repeat(); // newcomers: to the front, with the sound from its start
    else
        shown->show();
}

// A notice for each newcomer; many at once (a document full of old alarms) make one notice.
void ReminderCenter::notify(const QList<ReminderRow>& rows) {
    if (!m_notifications)
        return;
    if (rows.size() > kSeparateNotices) {
        m_notifications->Show(QStringLiteral("Reminder: %1 appointments").arg(rows.size()),
                              QStringLiteral("These are your reminders for %1 appointments.").arg(rows.size()));
        return;
    }
    for (const ReminderRow& row : rows)
        m_notifications->Show(row.caption, row.message);
}

void ReminderCenter::turnOff(const QList<OccurrenceKey>& keys) {
    QList<int> turnedOff;
    {
        DocumentBatch batch(m_document, QStringLiteral("Turn Off Reminder"));
        for (const OccurrenceKey& key : keys)
            if (m_document.TurnOffReminder(key))
                turnedOff << key.id;
    }
    if (turnedOff.isEmpty())
        return;
    for (int id : turnedOff)
        emit reminderTurnedOff(id);
}

std::optional<DateTime> ReminderCenter::alarmOf(const OccurrenceKey& key) {
    const Appointment* appointment = m_document.Appointments().Find(key.id);
    if (!appointment)
        return std::nullopt;
    if (!key.original.IsValid())
        return appointment->AlarmTime;
    const std::optional<Occurrence> occurrence = m_state.Occurrences().Of(m_document.Records(), key.id, key.original);
    if (!occurrence || !occurrence->alarmed)
        return std::nullopt;
    return occurrence->alarm;
}

void ReminderCenter::snooze(const QList<OccurrenceKey>& keys, int minutes) {
    const DateTime now = DateTime::Now();
    for (const OccurrenceKey& key : keys)
        if (const std::optional<DateTime> alarm = alarmOf(key))
            m_state.Snooze(key, *alarm, now, DateTimeSpan(0, 0, minutes, 0));
}

void ReminderCenter::closeWindows() {
    if (m_window)
        for (const OccurrenceKey& key : m_window->Listed())
            m_window->Drop(key);
    if (m_missed)
        m_missed->close();
}

void ReminderCenter::DocumentClosing(PimDocument& document) {
    document.RemoveObserver(this);
    m_attached = false;
}

// The alarms shown belong to the former records; the new ones get their own first look.
void ReminderCenter::DocumentChanged(PimDocument& /*document*/) {
    m_state.DocumentChanged();
}

void ReminderCenter::DocumentReplaced(PimDocument& /*document*/) {
    m_state.Clear();
    closeWindows();
    m_opening.start();
}

void ReminderCenter::DocumentSaving(const PimDocument& /*document*/) {
    // The document is the one this center holds; the records written carry the pending snoozes.
    // Not a change of the user's: no undo step, and the document is no more modified than before.
    const std::vector<Appointment> moved = m_state.TakePending(m_document.Records(), DateTime::Now());
    if (moved.empty())
        return;
    DocumentBatch batch(m_document, QStringLiteral("Snooze"), DocumentBatch::Kind::Upkeep);
    for (const Appointment& appointment : moved)
        m_document.Change(appointment);
}
