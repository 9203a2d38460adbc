#pragma once

#include <QString>

// The one name of a file, whatever link or relative name reaches it: its canonical path, or, for
// a file that does not exist (yet, or any more), the canonical path of its folder and its name.
// Locks and backups are found by it, so that a document reached through a linked folder and one
// named directly are the same document, before and after the file itself is there.
QString FileIdentity(const QString& path);
