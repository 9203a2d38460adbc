#pragma once

#include "core/Appointment.h"
#include "core/Task.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The texts a calendar report writes for each day: the day's appointments in order of start time,
// its start time and description each, and its tasks in the order given. A record belongs
// to the day of the month of its due date; the caller has limited the records to one week or month.
class DayEntries {
public:
    // Sorts the appointments by start time (equal start times keep their order).
    DayEntries(std::vector<Task> tasks, std::vector<Appointment> appointments);

    // Each is empty for a day without such entries or outside 1 to 31.
    const QStringList& AppointmentTexts(int dayOfMonth) const;
    const QStringList& TaskTexts(int dayOfMonth) const;
    // The appointments, then the tasks.
    QStringList Texts(int dayOfMonth) const { return AppointmentTexts(dayOfMonth) + TaskTexts(dayOfMonth); }

    const std::vector<Task>& Tasks() const { return m_tasks; }
    const std::vector<Appointment>& Appointments() const { return m_appointments; }

private:
    using ByDay = std::array<QStringList, 32>; // by day of the month; 0 stays empty

    static const QStringList& Of(const ByDay& texts, int dayOfMonth);

    std::vector<Task> m_tasks;
    std::vector<Appointment> m_appointments;
    ByDay m_appointmentTexts;
    ByDay m_taskTexts;
};
