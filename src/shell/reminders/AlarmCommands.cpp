#include "AlarmCommands.h"

#include "AlarmSettings.h"
#include "platform/PromptService.h"

bool ChooseAlarmSound(AlarmSettings& settings, platform::PromptService& prompts) {
    platform::FileDialogRequest request;
    request.initialName = settings.SoundFile();
    request.filters = {QStringLiteral("Wave Files (*.wav)")};
    request.defaultExtension = QStringLiteral("wav");
    request.confirmOverwrite = false;
    const std::optional<QString> chosen = prompts.openFileName(request);
    if (!chosen)
        return false;
    settings.SetSoundFile(*chosen);
    return true;
}

void ToggleAudibleAlarm(AlarmSettings& settings) {
    settings.SetAudible(!settings.Audible());
}
