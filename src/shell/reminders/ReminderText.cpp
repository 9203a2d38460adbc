#include "ReminderText.h"

#include "core/Appointment.h"
#include "core/ReminderQuery.h"
#include "platform/TextCodec.h"

namespace {
constexpr int kCaptionDescription = 79;
}

QString ReminderCaption(const Appointment& appointment) {
    QString description = platform::toQString(appointment.Description);
    if (description.size() > kCaptionDescription) {
        int cut = kCaptionDescription;
        // Never split a character that takes two UTF-16 units.
        if (description.at(cut - 1).isHighSurrogate())
            --cut;
        description.truncate(cut);
    }
    return QStringLiteral("Reminder: %1").arg(description);
}

namespace {

// The time as the window's table and the day view show it, in the locale's format.
QString messageFor(const DateTime& start) {
    return QStringLiteral("This is your reminder for your %1 appointment.")
        .arg(platform::toQString(start.FormatTime(DateTime::TimeFormat::NoSeconds)));
}

} // namespace

QString ReminderMessage(const Appointment& appointment) {
    return messageFor(appointment.StartTime);
}

ReminderRow ReminderRowOf(const Appointment& appointment, const DueAlarm& alarm) {
    const auto time = [](const DateTime& moment) {
        return platform::toQString(moment.FormatTime(DateTime::TimeFormat::NoSeconds));
    };
    // A single appointment shows its own day; an occurrence of a series the day it falls on.
    const DateTime day = alarm.original.IsValid() ? alarm.start : appointment.DueDate;
    return ReminderRow{alarm.Key(),
                       ReminderCaption(appointment),
                       messageFor(alarm.start),
                       platform::toQString(appointment.Description),
                       platform::toQString(day.FormatDate(DateTime::DateFormat::Short)),
                       time(alarm.start),
                       time(alarm.end)};
}
