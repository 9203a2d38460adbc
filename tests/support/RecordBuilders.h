#pragma once

#include "core/Appointment.h"
#include "core/AppointmentRules.h"
#include "core/Person.h"
#include "core/RecordKind.h"
#include "core/Task.h"

#include <QDebug>
#include <QMetaType>

#include <optional>
#include <string>
#include <utility>

// Records as the tests build them: each builder starts from a new record of its kind, takes the
// fields a test names and turns into the record wherever one is wanted,
//
//     document.Add(AnAppointment("Dentist").On(2003, 6, 3).From(10).Lasting(30).AlarmBefore(15));
//     document.Add(ATask("Pay rent").Due(2026, 4, 1).Priority(Task::High));
//     document.Add(APerson("Ann", "Smith").Company("Acme").Listed());
//
// or, where no conversion applies (a test's data row), through Build().

// Midnight of a day: the day a task is due, an appointment's date.
inline DateTime Day(int year, int month, int day) {
    return DateTime(year, month, day, 0, 0, 0);
}

class APerson {
public:
    explicit APerson(std::string first = {}, std::string last = {}) {
        m_person.FName = std::move(first);
        m_person.LName = std::move(last);
    }
    APerson& Id(int id) {
        m_person.ID = id;
        return *this;
    }
    APerson& Company(std::string company) {
        m_person.Company = std::move(company);
        return *this;
    }
    // Any other text field: With(&Person::City, "Springfield").
    APerson& With(std::string Person::*field, std::string value) {
        m_person.*field = std::move(value);
        return *this;
    }
    // The name the phone book sorts and shows it by, as the editor makes it from the names.
    APerson& Listed() {
        m_person.RName = DisplayName(m_person);
        return *this;
    }
    APerson& WhitePages(bool on = true) {
        m_person.WhitePages = on ? 1 : 0;
        return *this;
    }
    APerson& YellowPages(bool on = true) {
        m_person.YellowPages = on ? 1 : 0;
        return *this;
    }

    Person Build() const { return m_person; }
    operator Person() const { return m_person; }

private:
    Person m_person;
};

class ATask {
public:
    explicit ATask(std::string description = {}) { m_task.Description = std::move(description); }
    ATask& Id(int id) {
        m_task.ID = id;
        return *this;
    }
    ATask& Due(const DateTime& day) {
        m_task.DueDate = day;
        return *this;
    }
    ATask& Due(int year, int month, int day) { return Due(Day(year, month, day)); }
    ATask& Priority(int priority) {
        m_task.Priority = priority;
        return *this;
    }
    // Done, on the given day.
    ATask& DoneOn(const DateTime& day) {
        m_task.Priority = Task::Done;
        m_task.DoneDate = day;
        return *this;
    }

    Task Build() const { return m_task; }
    operator Task() const { return m_task; }

private:
    Task m_task;
};

// An appointment is built from its day, its start and its length in minutes (an hour unless
// told), so that the order of the calls does not matter; the end may fall on the next day. Without
// an alarm, the alarm time is the start, as an import leaves it.
class AnAppointment {
public:
    explicit AnAppointment(std::string description = {})
        : m_description(std::move(description)), m_day(Day(2003, 5, 10)) {}
    AnAppointment& Id(int id) {
        m_id = id;
        return *this;
    }
    AnAppointment& On(const DateTime& day) {
        m_day = day.Date();
        return *this;
    }
    AnAppointment& On(int year, int month, int day) { return On(Day(year, month, day)); }
    // Day and start at once, from a moment.
    AnAppointment& At(const DateTime& start) {
        On(start);
        return From(start.Hour(), start.Minute());
    }
    AnAppointment& From(int hour, int minute = 0) {
        m_start = hour * 60 + minute;
        return *this;
    }
    // The end, on the same day.
    AnAppointment& To(int hour, int minute = 0) {
        m_length = hour * 60 + minute - m_start;
        return *this;
    }
    AnAppointment& Lasting(int minutes) {
        m_length = minutes;
        return *this;
    }
    // An alarm `minutes` before the start; switched off, it keeps its time, as after "Turn off
    // reminder".
    AnAppointment& AlarmBefore(int minutes, bool on = true) {
        m_lead = minutes;
        m_alarmOn = on;
        return *this;
    }

    Appointment Build() const {
        Appointment a;
        a.ID = m_id;
        a.Description = m_description;
        a.DueDate = m_day;
        a.StartTime = appointmentrules::AtMinute(m_day, m_start);
        a.EndTime = appointmentrules::AtMinute(m_day, m_start + m_length);
        a.Alarm = m_lead && m_alarmOn ? 1 : 0;
        a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, m_lead.value_or(0), 0);
        return a;
    }
    operator Appointment() const { return Build(); }

private:
    int m_id = 0;
    std::string m_description;
    DateTime m_day;
    int m_start = 9 * 60;
    int m_length = 60;
    std::optional<int> m_lead;
    bool m_alarmOn = false;
};

// What an import or an Add answered, shown by QCOMPARE when it is not what was expected.
template <class T> QDebug operator<<(QDebug debug, const std::optional<T>& value) {
    QDebugStateSaver saver(debug);
    if (value)
        debug.nospace() << *value;
    else
        debug << "nothing";
    return debug;
}

Q_DECLARE_METATYPE(RecordKind)
