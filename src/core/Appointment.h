#pragma once

#include "DateTime.h"

#include <string>

// A timed entry on one day, with an optional reminder up to an hour before its start.
struct Appointment {
    virtual ~Appointment() = default;
    Appointment()
        : DueDate(DateTime::Now()), StartTime(DateTime::Now()), EndTime(DateTime::Now()), AlarmTime(DateTime::Now()) {}
    Appointment(const Appointment&) = default;
    Appointment& operator=(const Appointment&) = default;
    Appointment(Appointment&&) noexcept = default;
    Appointment& operator=(Appointment&&) noexcept = default;
    bool operator==(const Appointment&) const = default;

    int ID = 0;
    std::string Description;
    DateTime DueDate;
    DateTime StartTime;
    DateTime EndTime;
    unsigned char Alarm = 0;
    DateTime AlarmTime; // StartTime minus the lead time; meaningful only while Alarm is set
    unsigned char Done = 0;
};
