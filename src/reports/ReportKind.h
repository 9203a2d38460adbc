#pragma once

// The report the Report menu chose last; File > Print and Print Preview produce it.
enum class ReportKind {
    None = 0,
    AddressBook = 1,
    Envelopes = 2,
    DailyPlan = 3,
    DailyTasks = 4,
    DailyAppointments = 5,
    WeeklyPlan = 6,
    MonthlyPlan = 7,
};
