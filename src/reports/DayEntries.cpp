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
            QString& text = m_appointmentTexts[static_cast<std::size_t>(day)];
            text += ReportText::Time(appointment.StartTime);
            text += QLatin1Char(' ');
            text += ReportText::Text(appointment.Description);
            text += QLatin1Char('\n');
        }
    }
    for (const Task& task : m_tasks) {
        if (const int day = dayOf(task.DueDate)) {
            QString& text = m_taskTexts[static_cast<std::size_t>(day)];
            text += ReportText::Text(task.Description);
            text += QLatin1Char('\n');
        }
    }
}

const QString& DayEntries::Of(const ByDay& texts, int dayOfMonth) {
    return texts[dayOfMonth >= 1 && dayOfMonth <= 31 ? static_cast<std::size_t>(dayOfMonth) : 0];
}

QString DayEntries::FirstEntries(const QString& text, int count) {
    if (count <= 0)
        return QString();
    qsizetype end = -1;
    for (int i = 0; i < count; ++i) {
        end = text.indexOf(QLatin1Char('\n'), end + 1);
        if (end < 0)
            return text;
    }
    return text.left(end + 1);
}

const QString& DayEntries::AppointmentText(int dayOfMonth) const {
    return Of(m_appointmentTexts, dayOfMonth);
}

const QString& DayEntries::TaskText(int dayOfMonth) const {
    return Of(m_taskTexts, dayOfMonth);
}
