#pragma once

#include <QString>

#include <chrono>
#include <optional>

namespace platform {
class SettingsStore;
}

// The "Files" settings group: whether the last document is reopened at start-up, which document
// was open at the last close, how many automatic backups are kept and how often unsaved changes
// are kept for crash recovery. A missing value is created with its default (0, or the empty text)
// and reads as nothing.
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
    // How often the unsaved changes are written for crash recovery: RecoveryMinutes, in minutes
    // ("2", "0.5") or, ending in "s", in seconds ("1s"); never less than a second. Missing (and then
    // written as "2") or unreadable, it is two minutes.
    std::chrono::milliseconds ReadRecoveryInterval();

private:
    platform::SettingsStore& m_store;
};
