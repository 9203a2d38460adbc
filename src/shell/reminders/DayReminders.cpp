#include "DayReminders.h"

#include "AlarmCommands.h"

DayReminders::DayReminders(PimDocument& document, QWidget* over)
    : m_center(document, m_settings, m_sound, over, &m_notifications) {
    m_settings.Read();
    m_center.Start();
}

DayReminders::~DayReminders() {
    m_settings.WriteAudible();
}

bool DayReminders::ChooseSound(platform::PromptService& prompts) {
    return ChooseAlarmSound(m_settings, prompts);
}

void DayReminders::ToggleAudible() {
    ToggleAudibleAlarm(m_settings);
}
