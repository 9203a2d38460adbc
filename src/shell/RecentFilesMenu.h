#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QMenu;
class RecentFileList;

// The "Recent &Files" popup of the File menu, kept to the recent-file list: one item per entry,
// newest first, with the text "&n name" (an & of the name shown as itself) and the command number
// cmd::RecentFileFirst + n - 1 as the action's data; while the list is empty, the grayed
// placeholder under cmd::RecentFileFirst. The menu's triggered(QAction*) signal carries the number.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // The popup's item with cmd::RecentFileFirst gives the placeholder text ("(Empty)" when there
    // is none); the recent items go where it stands, from now on.
    RecentFilesMenu(RecentFileList& list, QMenu* menu, QObject* parent = nullptr);

    // The position in the list (1: the newest) that an item's command opens; nothing for a number
    // that is no recent-file command.
    static std::optional<int> PositionOf(int command);

    // Replaces the popup's recent-file items by the list's entries.
    void Rebuild();

private:
    RecentFileList& m_list;
    QPointer<QMenu> m_menu;
    QString m_placeholder = QStringLiteral("(Empty)");
};
