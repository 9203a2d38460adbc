#pragma once

#include <QStringList>

inline constexpr char kAddUsage[] = "add DOC TEXT";

// tavoro-cli add DOC TEXT: adds the appointment TEXT describes in one line of English ("Lunch with
// Ann tomorrow 1pm") to DOC (created when it does not exist) and prints it as agenda prints it.
// Fails, writing nothing, when TEXT names no day, time or repeat.
int runAdd(const QStringList& args);
