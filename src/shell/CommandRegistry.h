#pragma once

#include <QHash>
#include <QList>
#include <QObject>

#include <functional>

class QAction;

// A command as its owner declares it, beside the handler that runs it: its number (CommandIds.h),
// menu text, accelerators, status-bar prompt and toolbar tooltip.
struct CommandText {
    int id;
    const char* text;
    const char* shortcut; // nullptr for none; several are separated by "; "
    const char* prompt;   // shown in the status bar while the item is highlighted
    const char* tooltip;  // shown over a toolbar button; empty: the text without its '&'
    bool checkable = false;
};

// Every command of the main window by its number: the action made from its owner's declaration
// and the handler that runs it. The owners (the main window, the day view) add their commands;
// menus, toolbars and the enabling rules find them here.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    explicit CommandRegistry(QObject* parent = nullptr) : QObject(parent) {}

    // Makes the command's action, with `owner` as its parent. Choosing the action emits
    // triggered(id); what runs then is the caller's choice (Run, as a rule). The declaration is
    // kept, not copied: owners declare their commands in static tables.
    QAction* Add(const CommandText& command, std::function<void()> run, QObject* owner);

    // The action of a command; nullptr for a number nobody added.
    QAction* Action(int id) const;
    // The owner's declaration of a command; nullptr for a number nobody added.
    const CommandText* Text(int id) const;
    QList<int> Ids() const { return m_commands.keys(); }
    // Runs a command's handler, whatever its action shows; false for a number nobody added.
    bool Run(int id) const;

signals:
    void triggered(int id);

private:
    struct Entry {
        QAction* action;
        std::function<void()> run;
        const CommandText* text;
    };
    QHash<int, Entry> m_commands;
};
