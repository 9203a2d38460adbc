#include "ReminderState.h"

#include "PimRecords.h"

const ReminderState::Entry* ReminderState::EntryFor(const Appointment& appointment) const {
    const auto it = m_entries.find(appointment.ID);
    if (it == m_entries.end() || it->second.alarm != appointment.AlarmTime)
        return nullptr;
    return &it->second;
}

std::optional<DateTime> ReminderState::RingsAt(const Appointment& appointment) const {
    if (appointment.Alarm == 0)
        return std::nullopt;
    const Entry* entry = EntryFor(appointment);
    if (!entry)
        return appointment.AlarmTime;
    if (entry->quiet)
        return std::nullopt;
    return entry->until;
}

void ReminderState::Snooze(const Appointment& appointment, const DateTime& now, const DateTimeSpan& length) {
    m_entries[appointment.ID] = Entry{appointment.AlarmTime, now + length, length, false};
}

void ReminderState::Quiet(const Appointment& appointment) {
    m_entries[appointment.ID] = Entry{appointment.AlarmTime, DateTime(), DateTimeSpan(), true};
}

void ReminderState::FollowClock(const DateTime& now) {
    for (auto& [id, entry] : m_entries) {
        const DateTime latest = now + entry.length;
        if (!entry.quiet && entry.until > latest)
            entry.until = latest;
    }
}

std::vector<Appointment> ReminderState::TakePending(const PimRecords& records, const DateTime& now) {
    std::vector<Appointment> moved;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const Appointment* appointment = records.Appointments.Find(it->first);
        const Entry& entry = it->second;
        if (appointment && appointment->Alarm != 0 && !entry.quiet && entry.alarm == appointment->AlarmTime &&
            entry.until > now) {
            moved.push_back(*appointment);
            moved.back().AlarmTime = entry.until;
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    return moved;
}
