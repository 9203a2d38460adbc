#pragma once

#include <QStringList>

// tavoro-cli backups DOC: lists the automatic backups of DOC, newest first, with the time of the
// save, the size, the record counts and the file.
int runBackups(const QStringList& args);
