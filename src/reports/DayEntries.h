#pragma once

#include "core/Appointment.h"
#include "core/CalendarDate.h"
#include "core/Task.h"
#include "reports/BirthdayNotes.h"

#include <QString>
#include <QStringList>

#include <vector>

// The texts a calendar report writes for each of its days, from `first` to `last`: the day's
// appointments, then its tasks in the order given. The appointments stand for one occurrence each
// (as OccurrenceCopies gives them); an all-day one comes first and shows no time, one lasting
// several days is written on each of its days with "(day 2 of 3)", and the timed ones follow by
// start (one continuing from the day before first, without its time). Tasks belong to the
// calendar day of their due date. Birthdays stand at the top of their days, before the all-day
// appointments.
class DayEntries {
public:
    DayEntries(std::vector<Task> tasks, std::vector<Appointment> appointments, CalendarDate first, CalendarDate last,
               const std::vector<BirthdayNote>& birthdays = {});

    // Each is empty for a day without such entries or outside the report's days.
    const QStringList& AppointmentTexts(CalendarDate day) const;
    const QStringList& TaskTexts(CalendarDate day) const;
    // The appointments, then the tasks.
    QStringList Texts(CalendarDate day) const { return AppointmentTexts(day) + TaskTexts(day); }

    const std::vector<Task>& Tasks() const { return m_tasks; }
    const std::vector<Appointment>& Appointments() const { return m_appointments; }

private:
    const QStringList& Of(const std::vector<QStringList>& texts, CalendarDate day) const;

    std::vector<Task> m_tasks;
    std::vector<Appointment> m_appointments;
    CalendarDate m_first;
    std::vector<QStringList> m_appointmentTexts; // by day from m_first
    std::vector<QStringList> m_taskTexts;
};
