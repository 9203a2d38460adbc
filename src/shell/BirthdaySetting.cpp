#include "BirthdaySetting.h"

#include "platform/SettingsStore.h"

#include <QString>

namespace {
const QString kGroup = QStringLiteral("Options");
const QString kShowBirthdays = QStringLiteral("ShowBirthdays");
} // namespace

namespace BirthdaySetting {

bool Shown() {
    return platform::SettingsStore().readNumber(kGroup, kShowBirthdays).value_or(1) != 0;
}

void SetShown(bool shown) {
    platform::SettingsStore().writeNumber(kGroup, kShowBirthdays, shown ? 1 : 0);
}

} // namespace BirthdaySetting
