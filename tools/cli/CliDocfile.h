#pragma once

#include <QStringList>

// tavoro-cli resave IN OUT: loads IN and writes it as OUT in the current file layout.
int runResave(const QStringList& args);
// tavoro-cli check FILE: loads FILE and prints its record counts.
int runCheck(const QStringList& args);
