#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

class QMenu;

namespace platform {
class SettingsStore;
}

// The "Recent &Files" list of the File menu: file names kept oldest first, newest last, at most
// Maximum() of them; its popup items carry the command numbers 57616 (newest) upwards, and its
// settings form is the "Recent Document List" group.
class RecentFileList {
public:
    static constexpr int FirstCommand = 57616;
    static constexpr int LastCommand = 57631;
    static constexpr int DefaultMaximum = 4;
    static constexpr int LowestMaximum = 2;
    static constexpr int HighestMaximum = 16; // the popup has room for 57616-57631

    int Maximum() const { return m_maximum; }
    // Clamped to 2..16.
    void SetMaximum(int maximum);

    const QStringList& Entries() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }

    // The entry that the popup item with this command shows (57616 the newest); nothing when the
    // command names no entry.
    std::optional<int> IndexForCommand(int command) const;

    // Moves the name to the newest end (an entry naming the same file is replaced), drops the oldest
    // when the list is full, and rebuilds the popup. An empty name or "Untitled" is not a file and
    // is not listed.
    void Add(const QString& name);
    void RemoveAt(int index);

    // The popup to keep up to date. Its item with command 57616 gives the placeholder text shown
    // while the list is empty ("(Empty)" when there is none).
    void AttachMenu(QMenu* menu);
    // Replaces the popup's recent-file items by one per entry, newest first, with the text
    // "&n name" (an & of the name shown as itself) and the command number as the action's data; an empty list shows the
    // grayed placeholder under 57616. The menu's triggered(QAction*) signal carries the number.
    void RebuildMenu();

    // Settings form: DocumentCount is the maximum, Document1 the newest entry.
    void WriteTo(platform::SettingsStore& store) const;
    // Empties the list and reads it back; with no readable DocumentCount the list stays empty.
    void ReadFrom(platform::SettingsStore& store);

private:
    QStringList m_entries; // oldest first
    int m_maximum = DefaultMaximum;
    QPointer<QMenu> m_menu;
    QString m_placeholder = QStringLiteral("(Empty)");
};
