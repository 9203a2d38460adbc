#pragma once

#include "core/Appointment.h"
#include "core/DateTime.h"
#include "core/Person.h"
#include "core/Task.h"
#include "core/User.h"
#include "reports/BirthdayNotes.h"
#include "reports/ReportKind.h"

#include <vector>

// The chosen report and copies of the records gathered for it. Each Report menu command clears and
// refills only the vectors its kind uses.
struct ReportSelection {
    ReportKind Kind = ReportKind::None;
    std::vector<Person> AddressBookPersons;
    std::vector<Person> EnvelopePersons;
    std::vector<Task> Tasks;
    std::vector<Appointment> Appointments;
    std::vector<BirthdayNote> Birthdays; // written at the top of their days, with the all-day entries
    bool WhitePages = true;
    bool YellowPages = false;
    DateTime SelectedDate;
    ::User User;
};
