#pragma once

#include "AlarmSettings.h"
#include "LoopingSoundPlayer.h"
#include "ReminderTimer.h"

namespace platform {
class PromptService;
}

// What the day view holds for reminders: the alarm settings, read when it is made and the audible
// switch written when it goes; the alarm sound; and the minute timer, running from the start.
class DayReminders {
public:
    DayReminders(PimDocument& document, ReminderTimer::RowSource rows, QWidget* parent);
    ~DayReminders();
    DayReminders(const DayReminders&) = delete;
    DayReminders& operator=(const DayReminders&) = delete;

    AlarmSettings& Settings() { return m_settings; }
    ReminderTimer& Timer() { return m_timer; }

    // "&Alarm Sound..." and "A&udible Alarm".
    bool ChooseSound(platform::PromptService& prompts);
    void ToggleAudible();

private:
    AlarmSettings m_settings;
    LoopingSoundPlayer m_sound;
    ReminderTimer m_timer;
};
