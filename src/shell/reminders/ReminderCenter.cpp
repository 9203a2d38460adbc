#include "ReminderCenter.h"

#include "AlarmSettings.h"
#include "LastOpenTimes.h"
#include "MissedRemindersWindow.h"
#include "ReminderWindow.h"
#include "SeriesReminderQuestion.h"
#include "core/ReminderQuery.h"
#include "docfile/DocumentBatch.h"
#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"
#include "platform/gui/DesktopNotifications.h"
#include "platform/gui/QtPromptService.h"

#include <algorithm>
#include <map>

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
    if (m_attached) {
        LastOpenTimes::Write(fileName(), DateTime::Now());
        m_document.RemoveObserver(this);
    }
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
    LastOpenTimes::Write(fileName(), now);
}

void ReminderCenter::OpeningCheck() {
    m_opening.stop();
    const DateTime now = DateTime::Now();
    // What came due before the document was last open here was shown then, or long forgotten. The
    // time is read once a session for each file: this session's own looks at it (a document read
    // again as the program starts) keep to the opening that came before.
    const QString file = fileName();
    if (!m_lastOpen || m_lastOpen->first != file)
        m_lastOpen.emplace(file, LastOpenTimes::Read(file));
    const std::optional<DateTime> lastOpen = m_lastOpen->second;
    const DateTime since = lastOpen ? *lastOpen : now - DateTimeSpan(double(kFirstOpeningDays));
    std::vector<DueAlarm> missed;
    int older = 0;
    for (const DueAlarm& due : DueAlarms(m_document.Records(), m_state, now)) {
        if (!IsOver(due, now))
            continue;
        // Every missed alarm is quiet from now on, listed or not: none rings for a time long past.
        m_state.Quiet(due.Key(), alarmOf(due.Key()).value_or(DateTime()));
        if (due.moment < since)
            ++older;
        else
            missed.push_back(due);
    }
    std::stable_sort(missed.begin(), missed.end(),
                     [](const DueAlarm& a, const DueAlarm& b) { return b.moment < a.moment; });
    QList<ReminderRow> rows;
    for (const DueAlarm& due : missed)
        rows << ReminderRowOf(*m_document.Appointments().Find(due.id), due);
    if (!rows.isEmpty())
        showMissed(rows, older, lastOpen);
    Check();
}

void ReminderCenter::showMissed(const QList<ReminderRow>& rows, int older, const std::optional<DateTime>& lastOpen) {
    if (m_missed)
        m_missed->close();
    const QString since =
        lastOpen ? QStringLiteral("These reminders came due while this document was closed, since it was last open "
                                  "here on %1 at %2.")
                       .arg(platform::toQString(lastOpen->FormatDate(DateTime::DateFormat::Long)),
                            platform::toQString(lastOpen->FormatTime(DateTime::TimeFormat::NoSeconds)))
                 : QStringLiteral("These reminders came due in the last %1 days, while this document was not open "
                                  "here.")
                       .arg(kFirstOpeningDays);
    m_missed = new MissedRemindersWindow(rows, since, older, m_over);
    connect(m_missed, &MissedRemindersWindow::turnedOff, this, &ReminderCenter::turnOff);
    m_missed->show();
    m_missed->raise();
    m_missed->activateWindow();
}

void ReminderCenter::BringWindowsForward() {
    // The reminder window last: it is modal, so it must end on top.
    for (QWidget* shown : {static_cast<QWidget*>(m_missed.data()), static_cast<QWidget*>(m_window.data())}) {
        if (shown && shown->isVisible()) {
            shown->raise();
            shown->activateWindow();
        }
    }
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

int ReminderCenter::seriesOf(const OccurrenceKey& key) const {
    const Appointment* appointment = m_document.Appointments().Find(key.id);
    if (!appointment)
        return 0;
    const int series = appointment->Repeats() ? key.id : appointment->SeriesID;
    const Appointment* found = series != 0 ? m_document.Appointments().Find(series) : nullptr;
    return found && found->Repeats() ? series : 0;
}

void ReminderCenter::turnOff(const QList<OccurrenceKey>& keys) {
    // An occurrence of a series: asked once for each series whether the series is meant.
    std::map<int, std::optional<ReminderScope>> scopes;
    platform::QtPromptService onScreen(m_over);
    platform::PromptService& prompts = m_prompts ? *m_prompts : onScreen;
    for (const OccurrenceKey& key : keys) {
        const int series = seriesOf(key);
        if (series == 0 || scopes.contains(series))
            continue;
        const QString description = platform::toQString(m_document.Appointments().Find(series)->Description);
        scopes[series] = AskSeriesReminderScope(prompts, description);
    }
    QList<int> turnedOff;
    {
        DocumentBatch batch(m_document, QStringLiteral("Turn Off Reminder"));
        for (const OccurrenceKey& key : keys) {
            const int series = seriesOf(key);
            if (series == 0) {
                if (m_document.TurnOffReminder(key))
                    turnedOff << key.id;
                continue;
            }
            const std::optional<ReminderScope> scope = scopes[series];
            if (scope == ReminderScope::ThisOccurrence) {
                if (m_document.TurnOffReminder(key))
                    turnedOff << key.id;
            } else if (scope == ReminderScope::AllOccurrences && !turnedOff.contains(series)) {
                // The series' own alarm, and those of its changed occurrences.
                std::vector<int> ids{series};
                for (const auto& [id, appointment] : m_document.Appointments())
                    if (appointment.SeriesID == series && appointment.Alarm)
                        ids.push_back(id);
                for (int id : ids)
                    if (m_document.TurnOffReminder(id))
                        turnedOff << id;
            }
        }
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
