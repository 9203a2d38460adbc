#include "DayReminders.h"

#include "AlarmCommands.h"

DayReminders::DayReminders(PimDocument& document, ReminderTimer::RowSource rows, QWidget* parent)
    : m_timer(document, m_settings, m_sound, std::move(rows), parent) {
    m_settings.Read();
    m_timer.Start();
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
