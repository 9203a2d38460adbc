#pragma once

#include <QStringList>

inline constexpr char kBackupsUsage[] = "backups DOC";

// tavoro-cli backups DOC: lists the automatic backups of DOC, newest first, with the time of the
// save, the size, the record counts and the file.
int runBackups(const QStringList& args);
