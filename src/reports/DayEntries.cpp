#include "reports/DayEntries.h"

#include "reports/ReportText.h"

#include <algorithm>
#include <utility>

namespace {

int dayOf(const DateTime& due) {
    const int day = due.Day();
    return day >= 1 && day <= 31 ? day : 0;
}

} // namespace

DayEntries::DayEntries(std::vector<Task> tasks, std::vector<Appointment> appointments)
    : m_tasks(std::move(tasks)), m_appointments(std::move(appointments)) {
    std::stable_sort(m_appointments.begin(), m_appointments.end(),
                     [](const Appointment& a, const Appointment& b) { return a.StartTime < b.StartTime; });
    // One pass over each vector: the texts are built once, not once for every day drawn.
    for (const Appointment& appointment : m_appointments) {
        if (const int day = dayOf(appointment.DueDate)) {
            m_appointmentTexts[static_cast<std::size_t>(day)].append(
                ReportText::Time(appointment.StartTime) + QLatin1Char(' ') + ReportText::Text(appointment.Description));
        }
    }
    for (const Task& task : m_tasks) {
        if (const int day = dayOf(task.DueDate)) {
            m_taskTexts[static_cast<std::size_t>(day)].append(ReportText::Text(task.Description));
        }
    }
}

const QStringList& DayEntries::Of(const ByDay& texts, int dayOfMonth) {
    return texts[dayOfMonth >= 1 && dayOfMonth <= 31 ? static_cast<std::size_t>(dayOfMonth) : 0];
}

const QStringList& DayEntries::AppointmentTexts(int dayOfMonth) const {
    return Of(m_appointmentTexts, dayOfMonth);
}

const QStringList& DayEntries::TaskTexts(int dayOfMonth) const {
    return Of(m_taskTexts, dayOfMonth);
}
