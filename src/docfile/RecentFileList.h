#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {
class SettingsStore;
}

// The recent-files list: file names kept oldest first, newest last, at most Maximum() of them;
// its settings form is the "Recent Document List" group. The File menu shows it newest first.
class RecentFileList : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultMaximum = 4;
    static constexpr int LowestMaximum = 2;
    static constexpr int HighestMaximum = 16; // as many as the menu has room for

    int Maximum() const { return m_maximum; }
    // Clamped to 2..16.
    void SetMaximum(int maximum);

    const QStringList& Entries() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }

    // The entry n places from the newest end (1: the newest); nothing when there is no such entry.
    std::optional<int> IndexFromNewest(int n) const;

    // Moves the name to the newest end (an entry naming the same file is replaced) and drops the
    // oldest when the list is full. An empty name or "Untitled" is not a file and is not listed.
    void Add(const QString& name);
    void RemoveAt(int index);

    // Settings form: DocumentCount is the maximum, Document1 the newest entry.
    void WriteTo(platform::SettingsStore& store) const;
    // Empties the list and reads it back; with no readable DocumentCount the list stays empty.
    void ReadFrom(platform::SettingsStore& store);

signals:
    // The entries changed: whatever shows them shows them again.
    void changed();

private:
    QStringList m_entries; // oldest first
    int m_maximum = DefaultMaximum;
};
