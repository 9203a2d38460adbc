#include "reports/DailyTable.h"

#include "core/AppointmentOccurrences.h"
#include "reports/OccurrenceCopies.h"
#include "reports/ReportText.h"

#include <QSet>

DailyTable DailyTable::OfAppointments(const std::vector<Appointment>& appointments, CalendarDate day,
                                      const std::vector<BirthdayNote>& birthdays) {
    DailyTable table;
    table.heads = {QStringLiteral("START"), QStringLiteral("END"), QStringLiteral("APPOINTMENT")};
    table.flexible = 2;
    table.rows.reserve(appointments.size() + birthdays.size());
    for (const BirthdayNote& birthday : birthdays)
        if (birthday.day == day)
            table.rows.push_back({QStringLiteral("All day"), QString(), ReportText::Text(birthday.text)});
    for (const Appointment& appointment : appointments) {
        const QString description = ReportText::Text(appointment.Description);
        const Occurrence o = AppointmentOccurrences::Single(appointment);
        if (o.allDay)
            table.rows.push_back(
                {QStringLiteral("All day"), QString(), description + OccurrenceCopies::DayMark(o, day)});
        else if (o.lastDay > o.firstDay)
            table.rows.push_back(
                {ReportText::Time(o.start), ReportText::Time(o.end), description + OccurrenceCopies::DayMark(o, day)});
        else // within its day: the times as they stand, an end before the start too
            table.rows.push_back(
                {ReportText::Time(appointment.StartTime), ReportText::Time(appointment.EndTime), description});
    }
    return table;
}

DailyTable DailyTable::OfTasks(const std::vector<Task>& tasks) {
    DailyTable table;
    table.heads = {QStringLiteral("TASK"), QStringLiteral("PRIORITY"), QStringLiteral("DUE DATE")};
    table.flexible = 0;
    table.rows.reserve(tasks.size());
    for (const Task& task : tasks)
        table.rows.push_back({ReportText::Text(task.Description), ReportText::PriorityWord(task.Priority),
                              ReportText::ShortDate(task.DueDate)});
    return table;
}

const std::vector<QStringList>& DailyTable::DistinctTexts() const {
    if (m_distinct.empty() && !rows.empty()) {
        m_distinct.resize(static_cast<std::size_t>(heads.size()));
        std::vector<QSet<QString>> seen(m_distinct.size());
        for (const QStringList& row : rows)
            for (std::size_t i = 0; i < m_distinct.size(); ++i) {
                if (static_cast<int>(i) == flexible)
                    continue; // descriptions are shortened, not measured for the column
                const QString& cell = row.at(static_cast<qsizetype>(i));
                if (!seen[i].contains(cell)) {
                    seen[i].insert(cell);
                    m_distinct[i].append(cell);
                }
            }
    }
    return m_distinct;
}
