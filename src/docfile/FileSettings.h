#pragma once

#include <QString>

#include <optional>

namespace platform {
class SettingsStore;
}

// The "Files" settings group: whether the last document is reopened at start-up, which document
// was open at the last close, and how many automatic backups are kept. A missing value is created with its default (0,
// or the empty text) and reads as nothing.
class FileSettings {
public:
    explicit FileSettings(platform::SettingsStore& store) : m_store(store) {}

    std::optional<bool> ReadOpenLastFile();
    void WriteOpenLastFile(bool open);
    std::optional<QString> ReadLastFileUsed();
    void WriteLastFileUsed(const QString& name);
    // How many automatic backups each document keeps; 0 turns them off. Missing (and then written)
    // or unreadable, it is 10.
    int ReadBackupCount();

private:
    platform::SettingsStore& m_store;
};
