#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the program: one of its own options, or the documents to open.
// Options come first, so that "--help" never opens a document of that name ("--" ends them).
struct StartupArguments {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    bool showSplash = true;
    // Absolute, so that the title and the recent list name the file from anywhere.
    QStringList fileNames;
    // The help text, the version line, or why the arguments were refused.
    QString text;
    // Refused only for options the toolkit takes itself (-platform, -style, ...): the application
    // removes them from the arguments, after which they are read again.
    bool toolkitOptionsOnly = false;

    // `arguments` starts with the program's own name, as QCoreApplication::arguments() does.
    static StartupArguments Parse(const QStringList& arguments);
};
