#pragma once

#include "core/Occurrence.h"

#include <QString>

struct Appointment;
struct DueAlarm;

// "Reminder: " and the first 79 characters of the description.
QString ReminderCaption(const Appointment& appointment);
// "This is your reminder for your 09:30 AM appointment."
QString ReminderMessage(const Appointment& appointment);

// What the reminder windows list of one appointment, in the user's formats.
struct ReminderRow {
    OccurrenceKey key; // the appointment, and for an occurrence of a series its original date
    QString caption;   // as the one-row window's caption
    QString message;   // as the one-row window's message
    QString description;
    QString date;
    QString start;
    QString end;
};
// The row of an alarm that rang: the appointment's description, with the date and times of the
// occurrence that rang (a series' record holds only its first).
ReminderRow ReminderRowOf(const Appointment& appointment, const DueAlarm& alarm);
