#pragma once

#include <QString>

struct Appointment;

// "Reminder: " and the first 79 characters of the description.
QString ReminderCaption(const Appointment& appointment);
// "This is your reminder for your 09:30 AM appointment."
QString ReminderMessage(const Appointment& appointment);

// What the reminder windows list of one appointment, in the user's formats.
struct ReminderRow {
    int id = 0;
    QString caption; // as the one-row window's caption
    QString message; // as the one-row window's message
    QString description;
    QString date;
    QString start;
    QString end;
};
ReminderRow ReminderRowOf(const Appointment& appointment);
