#pragma once

#include <QStringList>

// One command of tavoro-cli: its name, a usage line and the function that runs it with the
// arguments after the name. It returns the exit status: 0 success, 1 failure, 2 a command line
// it does not understand (see CliUsage.h).
struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const QStringList& args);
};
