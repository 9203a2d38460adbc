#include "FileSettings.h"

#include "platform/SettingsStore.h"

namespace {
const QString kGroup = QStringLiteral("Files");
const QString kOpenLastFile = QStringLiteral("OpenLastFile");
const QString kLastFileUsed = QStringLiteral("LastFileUsed");
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
