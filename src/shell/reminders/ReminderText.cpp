#include "ReminderText.h"

#include "core/Appointment.h"
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

QString ReminderMessage(const Appointment& appointment) {
    return QStringLiteral("This is your reminder for your %1 appointment.")
        .arg(platform::toQString(appointment.StartTime.Format("%I:%M %p")));
}

ReminderRow ReminderRowOf(const Appointment& appointment) {
    const auto time = [](const DateTime& moment) {
        return platform::toQString(moment.FormatTime(DateTime::TimeFormat::NoSeconds));
    };
    return ReminderRow{appointment.ID,
                       ReminderCaption(appointment),
                       ReminderMessage(appointment),
                       platform::toQString(appointment.Description),
                       platform::toQString(appointment.DueDate.FormatDate(DateTime::DateFormat::Short)),
                       time(appointment.StartTime),
                       time(appointment.EndTime)};
}
