#pragma once

#include "platform/AtomicFile.h"

#include <QStringList>

inline constexpr char kResaveUsage[] = "resave IN OUT";
inline constexpr char kCheckUsage[] = "check FILE";

// tavoro-cli resave IN OUT: loads IN and writes it as OUT in the current file layout.
int runResave(const QStringList& args);
// True (and says so) when another running program has the document open: writing it now would
// be undone by that program's next save, or undo it.
bool documentInUse(const QString& path);
// tavoro-cli check FILE: loads FILE and prints its record counts.
int runCheck(const QStringList& args);
// Says on stderr why a file could not be read or written; nothing when the file was not at fault.
void reportFileError(const QString& path, platform::FileError error);
