#pragma once

#include "reports/ReportSelection.h"

#include <QFile>
#include <QRegularExpression>
#include <QString>

#include <string>

// Records and selections the report tests print; tasks and appointments on Saturday 2003-05-10.
namespace fixtures {

inline Appointment appointment(int index) {
    Appointment a;
    a.ID = index;
    a.Description = "Meeting " + std::to_string(index);
    a.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
    a.StartTime = DateTime(2003, 5, 10, 7 + index % 12, 15, 0);
    a.EndTime = DateTime(2003, 5, 10, 8 + index % 12, 0, 0);
    return a;
}

inline Task task(int index) {
    Task t;
    t.ID = index;
    t.Description = "Task " + std::to_string(index);
    t.Priority = index % 4;
    t.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
    return t;
}

inline Person person(int id, const char* first, const char* last) {
    Person p;
    p.ID = id;
    p.FName = first;
    p.LName = last;
    p.Addr1 = "1 Main St";
    p.City = "Springfield";
    p.State = "IL";
    p.Zip = "62701";
    return p;
}

inline ReportSelection selection(ReportKind kind, int appointments, int tasks) {
    ReportSelection s;
    s.Kind = kind;
    for (int i = 1; i <= appointments; ++i)
        s.Appointments.push_back(appointment(i));
    for (int i = 1; i <= tasks; ++i)
        s.Tasks.push_back(task(i));
    return s;
}

// Pages of a PDF file, counted by its page objects; -1 when it cannot be read.
inline int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int count = 0;
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

// Letter paper at 600 dpi with a quarter-inch edge and one-inch margins: the print rectangle is
// (450, 450)-(4350, 5850); the 10-point report font has lines of 111 and characters 41 wide.
namespace letter {
constexpr int kLeft = 450;
constexpr int kTop = 450;
constexpr int kRight = 4350;
constexpr int kBottom = 5850;
constexpr int kLine = 111;
constexpr int kChar = 41;
} // namespace letter

// A task due at `due`.
inline Task taskDue(const DateTime& due, const char* description) {
    Task t;
    t.DueDate = due;
    t.Description = description;
    return t;
}

// An appointment that starts and ends at `start`, on that day.
inline Appointment appointmentAt(const DateTime& start, const char* description) {
    Appointment a;
    a.DueDate = start.Date();
    a.StartTime = start;
    a.EndTime = start;
    a.Description = description;
    return a;
}

// A series: the first occurrence from `start`, `minutes` long, repeating by `rule`.
inline Appointment seriesFrom(const DateTime& start, int minutes, const char* rule, const char* description) {
    Appointment a = appointmentAt(start, description);
    a.EndTime = start + DateTimeSpan(0, 0, minutes, 0);
    a.RRule = rule;
    return a;
}

// An all-day appointment from `first` (midnight) to the day `days` - 1 later.
inline Appointment allDays(const DateTime& first, int days, const char* description) {
    Appointment a = appointmentAt(first.Date(), description);
    a.AllDay = 1;
    if (days > 1)
        a.EndDate = CalendarDate::Of(first) + (days - 1);
    return a;
}

} // namespace fixtures
