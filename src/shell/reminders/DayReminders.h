#pragma once

#include "AlarmSettings.h"
#include "LoopingSoundPlayer.h"
#include "ReminderCenter.h"
#include "platform/gui/DesktopNotifications.h"

namespace platform {
class PromptService;
}

// What the day view holds for reminders: the alarm settings, read when it is made and the audible
// switch written when it goes; the alarm sound; the desktop's notices; and the reminder center,
// running from the start.
class DayReminders {
public:
    // Reminder windows are centred over `over` while it can be seen.
    DayReminders(PimDocument& document, QWidget* over);
    ~DayReminders();
    DayReminders(const DayReminders&) = delete;
    DayReminders& operator=(const DayReminders&) = delete;

    AlarmSettings& Settings() { return m_settings; }
    ReminderCenter& Center() { return m_center; }

    // "&Alarm Sound..." and "A&udible Alarm".
    bool ChooseSound(platform::PromptService& prompts);
    void ToggleAudible();

private:
    AlarmSettings m_settings;
    LoopingSoundPlayer m_sound;
    platform::DesktopNotifications m_notifications;
    ReminderCenter m_center; // last: it goes first, closing its windows while the sound still exists
};
