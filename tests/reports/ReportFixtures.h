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

} // namespace fixtures
