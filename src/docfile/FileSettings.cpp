#include "FileSettings.h"

#include "platform/SettingsStore.h"

#include <algorithm>
#include <cmath>

namespace {
const QString kGroup = QStringLiteral("Files");
const QString kOpenLastFile = QStringLiteral("OpenLastFile");
const QString kLastFileUsed = QStringLiteral("LastFileUsed");
const QString kBackupCount = QStringLiteral("BackupCount");
constexpr int kDefaultBackupCount = 10;
const QString kRecoveryMinutes = QStringLiteral("RecoveryMinutes");
constexpr std::chrono::milliseconds kDefaultRecovery = std::chrono::minutes(2);
constexpr std::chrono::milliseconds kShortestRecovery = std::chrono::seconds(1);
} // namespace

std::optional<bool> FileSettings::ReadOpenLastFile() {
    const std::optional<int> value = m_store.readNumberOrCreate(kGroup, kOpenLastFile, 0);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

void FileSettings::WriteOpenLastFile(bool open) {
    m_store.writeNumber(kGroup, kOpenLastFile, open ? 1 : 0);
}

std::optional<QString> FileSettings::ReadLastFileUsed() {
    return m_store.readTextOrCreate(kGroup, kLastFileUsed, QString());
}

void FileSettings::WriteLastFileUsed(const QString& name) {
    m_store.writeText(kGroup, kLastFileUsed, name);
}

int FileSettings::ReadBackupCount() {
    const std::optional<int> count = m_store.readNumberOrCreate(kGroup, kBackupCount, kDefaultBackupCount);
    // A count below 0 means nothing sensible; keeping backups is the safe reading.
    return count && *count >= 0 ? *count : kDefaultBackupCount;
}

std::chrono::milliseconds FileSettings::ReadRecoveryInterval() {
    const QString text = m_store.readTextOrCreate(kGroup, kRecoveryMinutes, QStringLiteral("2")).value_or(QString());
    const QString trimmed = text.trimmed();
    const bool seconds = trimmed.endsWith(QLatin1Char('s'));
    bool ok = false;
    const double value = (seconds ? trimmed.chopped(1) : trimmed).toDouble(&ok);
    if (!ok || !(value > 0) || value > 24 * 60 * 60)
        return kDefaultRecovery;
    const auto interval = std::chrono::milliseconds(std::llround(value * (seconds ? 1000 : 60 * 1000)));
    return std::max(interval, kShortestRecovery);
}
