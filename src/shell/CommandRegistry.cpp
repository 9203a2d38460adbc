#include "CommandRegistry.h"

#include "Artwork.h"

#include <QAction>
#include <QKeySequence>

QAction* CommandRegistry::Add(const CommandText& command, std::function<void()> run, QObject* owner) {
    auto* action = new QAction(QString::fromLatin1(command.text), owner);
    action->setData(command.id);
    action->setStatusTip(QString::fromLatin1(command.prompt));
    const QString tooltip = QString::fromLatin1(command.tooltip);
    action->setToolTip(tooltip.isEmpty() ? QString::fromLatin1(command.text).remove(QLatin1Char('&')) : tooltip);
    if (command.shortcut)
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(command.shortcut)));
    action->setCheckable(command.checkable);
    action->setIcon(Artwork::CommandIcon(command.id));
    action->setIconVisibleInMenu(false);
    const int id = command.id;
    connect(action, &QAction::triggered, this, [this, id] { emit triggered(id); });
    m_commands.insert(id, Entry{action, std::move(run), &command});
    return action;
}

QAction* CommandRegistry::Action(int id) const {
    const auto it = m_commands.constFind(id);
    return it == m_commands.cend() ? nullptr : it->action;
}

const CommandText* CommandRegistry::Text(int id) const {
    const auto it = m_commands.constFind(id);
    return it == m_commands.cend() ? nullptr : it->text;
}

bool CommandRegistry::Run(int id) const {
    const auto it = m_commands.constFind(id);
    if (it == m_commands.cend())
        return false;
    it->run();
    return true;
}
