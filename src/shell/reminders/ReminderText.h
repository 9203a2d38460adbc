#pragma once

#include <QString>

struct Appointment;

// "Reminder: " and the first 79 characters of the description.
QString ReminderCaption(const Appointment& appointment);
// "This is your reminder for your 09:30 AM appointment."
QString ReminderMessage(const Appointment& appointment);
