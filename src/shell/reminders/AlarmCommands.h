#pragma once

class AlarmSettings;

namespace platform {
class PromptService;
}

// "&Alarm Sound...": asks for a wave file, starting from the current one; the chosen name is kept
// and written at once. Returns false when the user cancelled.
bool ChooseAlarmSound(AlarmSettings& settings, platform::PromptService& prompts);

// "A&udible Alarm": flips the sound switch and writes it at once.
void ToggleAudibleAlarm(AlarmSettings& settings);
