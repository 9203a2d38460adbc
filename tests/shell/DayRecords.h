#pragma once

#include "core/Appointment.h"
#include "core/DateTime.h"
#include "core/Person.h"
#include "core/Task.h"

// Records of the day the day-view tests look at: Wednesday 2024-05-15.
namespace dayrecords {

// A function, not a constant: a DateTime made before main() may miss the day count it is based on.
inline DateTime today() {
    return DateTime(2024, 5, 15, 0, 0, 0);
}

inline Task task(const char* description, const DateTime& due, int priority = 1, const DateTime& done = DateTime()) {
    Task t;
    t.Description = description;
    t.DueDate = due;
    t.Priority = priority;
    t.DoneDate = done;
    return t;
}

inline Person person(const char* name, const char* company, int white = 1, int yellow = 0) {
    Person p;
    p.RName = name;
    p.Company = company;
    p.WhitePages = white;
    p.YellowPages = yellow;
    return p;
}

// An hour long, starting at hour:minute on `day`.
inline Appointment appointment(const char* description, int hour, int minute = 0, const DateTime& day = today()) {
    Appointment a;
    a.Description = description;
    a.DueDate = day;
    a.StartTime = DateTime(day.Year(), day.Month(), day.Day(), hour, minute, 0);
    a.EndTime = DateTime(day.Year(), day.Month(), day.Day(), hour + 1, minute, 0);
    return a;
}

} // namespace dayrecords
