#include "RecentFilesMenu.h"

#include "CommandIds.h"
#include "docfile/RecentFileList.h"

#include <QAction>
#include <QMenu>

namespace {
int commandOf(const QAction* action) {
    bool ok = false;
    const int command = action->data().toInt(&ok);
    return ok ? command : 0;
}
} // namespace

RecentFilesMenu::RecentFilesMenu(RecentFileList& list, QMenu* menu, QObject* parent)
    : QObject(parent), m_list(list), m_menu(menu) {
    for (const QAction* action : menu->actions())
        if (commandOf(action) == cmd::RecentFileFirst && !action->text().isEmpty())
            m_placeholder = action->text();
    connect(&list, &RecentFileList::changed, this, &RecentFilesMenu::Rebuild);
    Rebuild();
}

std::optional<int> RecentFilesMenu::PositionOf(int command) {
    if (!cmd::isRecentFile(command))
        return std::nullopt;
    return command - cmd::RecentFileFirst + 1;
}

void RecentFilesMenu::Rebuild() {
    if (!m_menu)
        return;
    QAction* old = nullptr;
    for (QAction* action : m_menu->actions()) {
        const int command = commandOf(action);
        if (command == cmd::RecentFileFirst && !old)
            old = action;
        else if (cmd::isRecentFile(command))
            delete action;
    }
    // New items go where the old first one stood, and that one goes last.
    QAction* before = old;
    const auto insert = [this, before](const QString& text, int command) {
        auto* action = new QAction(text, m_menu);
        action->setData(command);
        action->setStatusTip(QStringLiteral("Open this document"));
        m_menu->insertAction(before, action);
        return action;
    };
    const QStringList& entries = m_list.Entries();
    if (entries.isEmpty()) {
        insert(m_placeholder, cmd::RecentFileFirst)->setEnabled(false);
    } else {
        for (int n = 1; n <= m_list.Count(); ++n)
            insert(QStringLiteral("&%1 %2").arg(n).arg(
                       QString(entries.at(m_list.Count() - n)).replace(QLatin1Char('&'), QStringLiteral("&&"))),
                   cmd::RecentFileFirst - 1 + n);
    }
    delete old;
}
