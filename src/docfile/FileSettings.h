#pragma once

#include <QString>

#include <optional>

namespace platform {
class SettingsStore;
}

// The "Files" settings group: whether the last document is reopened at start-up, and which
// document was open at the last close. A missing value is created with its default (0, or the
// empty text) and reads as nothing.
class FileSettings {
public:
    explicit FileSettings(platform::SettingsStore& store) : m_store(store) {}

    std::optional<bool> ReadOpenLastFile();
    void WriteOpenLastFile(bool open);
    std::optional<QString> ReadLastFileUsed();
    void WriteLastFileUsed(const QString& name);

private:
    platform::SettingsStore& m_store;
};
