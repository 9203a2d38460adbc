#include "AgendaSetting.h"

#include "platform/SettingsStore.h"

#include <QString>

#include <algorithm>

namespace {
const QString kGroup = QStringLiteral("Options");
const QString kAgendaDays = QStringLiteral("AgendaDays");
} // namespace

namespace AgendaSetting {

// A value edited by hand out of range still gives an agenda.
int Days() {
    const int days = platform::SettingsStore().readNumber(kGroup, kAgendaDays).value_or(kDefaultDays);
    return std::clamp(days, kMinDays, kMaxDays);
}

void SetDays(int days) {
    platform::SettingsStore().writeNumber(kGroup, kAgendaDays, std::clamp(days, kMinDays, kMaxDays));
}

} // namespace AgendaSetting
