#include "FileSettings.h"

#include "platform/SettingsStore.h"

namespace {
const QString kGroup = QStringLiteral("Files");
const QString kOpenLastFile = QStringLiteral("OpenLastFile");
const QString kLastFileUsed = QStringLiteral("LastFileUsed");
const QString kBackupCount = QStringLiteral("BackupCount");
constexpr int kDefaultBackupCount = 10;
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
