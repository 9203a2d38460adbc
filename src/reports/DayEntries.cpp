#include "reports/DayEntries.h"

#include "core/AppointmentOccurrences.h"
#include "reports/OccurrenceCopies.h"
#include "reports/ReportText.h"

#include <algorithm>
#include <utility>

namespace {

// An appointment as one day lists it.
struct Listed {
    std::size_t day;
    bool allDay;
    DateTime start; // the day's midnight for one continuing from the day before
    QString text;
};

} // namespace

DayEntries::DayEntries(std::vector<Task> tasks, std::vector<Appointment> appointments, CalendarDate first,
                       CalendarDate last, const std::vector<BirthdayNote>& birthdays)
    : m_tasks(std::move(tasks)), m_appointments(std::move(appointments)), m_first(first) {
    const int days = first.IsValid() && last.IsValid() && last >= first ? (last - first) + 1 : 0;
    m_appointmentTexts.resize(static_cast<std::size_t>(days));
    m_taskTexts.resize(static_cast<std::size_t>(days));
    if (days == 0)
        return;
    for (const BirthdayNote& birthday : birthdays)
        if (birthday.day >= first && birthday.day <= last)
            m_appointmentTexts[static_cast<std::size_t>(birthday.day - first)].append(ReportText::Text(birthday.text));
    // One pass over each vector: the texts are built once, not once for every day drawn.
    std::vector<Listed> listed;
    for (const Appointment& appointment : m_appointments) {
        const Occurrence o = AppointmentOccurrences::Single(appointment);
        if (!o.firstDay.IsValid())
            continue;
        const QString description = ReportText::Text(appointment.Description);
        for (CalendarDate day = std::max(first, o.firstDay); day.IsValid() && day <= std::min(last, o.lastDay);
             day = day + 1) {
            const bool continues = day > o.firstDay;
            QString text =
                o.allDay || continues ? description : ReportText::Time(o.start) + QLatin1Char(' ') + description;
            text += OccurrenceCopies::DayMark(o, day);
            listed.push_back(Listed{static_cast<std::size_t>(day - first), o.allDay,
                                    continues ? day.Midnight() : o.start, std::move(text)});
        }
    }
    std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        if (a.day != b.day)
            return a.day < b.day;
        if (a.allDay != b.allDay)
            return a.allDay;
        return a.start < b.start;
    });
    for (Listed& entry : listed)
        m_appointmentTexts[entry.day].append(std::move(entry.text));
    for (const Task& task : m_tasks) {
        const CalendarDate day = CalendarDate::OfStoredDate(task.DueDate);
        if (day.IsValid() && day >= first && day <= last)
            m_taskTexts[static_cast<std::size_t>(day - first)].append(ReportText::Text(task.Description));
    }
}

const QStringList& DayEntries::Of(const std::vector<QStringList>& texts, CalendarDate day) const {
    static const QStringList none;
    if (!day.IsValid() || !m_first.IsValid() || day < m_first)
        return none;
    const auto index = static_cast<std::size_t>(day - m_first);
    return index < texts.size() ? texts[index] : none;
}

const QStringList& DayEntries::AppointmentTexts(CalendarDate day) const {
    return Of(m_appointmentTexts, day);
}

const QStringList& DayEntries::TaskTexts(CalendarDate day) const {
    return Of(m_taskTexts, day);
}
