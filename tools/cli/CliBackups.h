#pragma once

#include <QStringList>

inline constexpr char kBackupsUsage[] = "backups DOC";
inline constexpr char kRestoreUsage[] = "restore DOC [BACKUP] [--to FILE]";

// tavoro-cli backups DOC: lists the automatic backups of DOC, newest first, with the time of the
// save, the size, the record counts and the file.
int runBackups(const QStringList& args);
// tavoro-cli restore DOC [BACKUP] [--to FILE]: writes a backup of DOC (the newest unless one is
// named) back over DOC, or over FILE; the file it replaces is kept as a backup first.
int runRestore(const QStringList& args);
