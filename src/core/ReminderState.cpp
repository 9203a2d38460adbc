#include "ReminderState.h"

#include "PimRecords.h"

const ReminderState::Entry* ReminderState::EntryFor(const OccurrenceKey& key, const DateTime& alarm) const {
    const auto it = m_entries.find(key);
    if (it == m_entries.end() || it->second.alarm != alarm)
        return nullptr;
    return &it->second;
}

std::optional<DateTime> ReminderState::RingsAt(const OccurrenceKey& key, const DateTime& alarm) const {
    const Entry* entry = EntryFor(key, alarm);
    if (!entry)
        return alarm;
    if (entry->quiet)
        return std::nullopt;
    return entry->until;
}

std::optional<DateTime> ReminderState::RingsAt(const Appointment& appointment) const {
    if (appointment.Alarm == 0)
        return std::nullopt;
    return RingsAt({appointment.ID, {}}, appointment.AlarmTime);
}

void ReminderState::Snooze(const OccurrenceKey& key, const DateTime& alarm, const DateTime& now,
                           const DateTimeSpan& length) {
    m_entries[key] = Entry{alarm, now + length, length, false};
}

void ReminderState::Quiet(const OccurrenceKey& key, const DateTime& alarm) {
    m_entries[key] = Entry{alarm, DateTime(), DateTimeSpan(), true};
}

void ReminderState::FollowClock(const DateTime& now) {
    for (auto& [key, entry] : m_entries) {
        const DateTime latest = now + entry.length;
        if (!entry.quiet && entry.until > latest)
            entry.until = latest;
    }
}

std::vector<Appointment> ReminderState::TakePending(const PimRecords& records, const DateTime& now) {
    std::vector<Appointment> moved;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const Entry& entry = it->second;
        const Appointment* appointment =
            it->first.original.IsValid() ? nullptr : records.Appointments.Find(it->first.id);
        if (appointment && !appointment->Repeats() && appointment->Alarm != 0 && !entry.quiet &&
            entry.alarm == appointment->AlarmTime && entry.until > now) {
            moved.push_back(*appointment);
            moved.back().AlarmTime = entry.until;
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    return moved;
}
