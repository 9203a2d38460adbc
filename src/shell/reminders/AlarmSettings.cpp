#include "AlarmSettings.h"

#include "platform/SettingsStore.h"

namespace {
const QString kGroup = QStringLiteral("Alarm");
const QString kUseSound = QStringLiteral("UseAlarmSound");
const QString kSound = QStringLiteral("AlarmSound");
} // namespace

void AlarmSettings::Read() {
    platform::SettingsStore store;
    // A first start has neither value: both are created. Once the key exists, a missing sound name
    // just stays at its default.
    const bool keyExisted = store.contains(kGroup, kUseSound) || store.contains(kGroup, kSound);

    if (const std::optional<int> useSound = store.readNumberOrCreate(kGroup, kUseSound, m_audible ? 1 : 0))
        m_audible = *useSound != 0;

    if (const std::optional<QString> sound = store.readText(kGroup, kSound))
        m_soundFile = *sound;
    else if (!keyExisted)
        store.writeText(kGroup, kSound, m_soundFile);
}

void AlarmSettings::SetAudible(bool audible) {
    m_audible = audible;
    WriteAudible();
}

void AlarmSettings::SetSoundFile(const QString& fileName) {
    m_soundFile = fileName;
    platform::SettingsStore().writeText(kGroup, kSound, m_soundFile);
}

void AlarmSettings::WriteAudible() const {
    platform::SettingsStore().writeNumber(kGroup, kUseSound, m_audible ? 1 : 0);
}
