#pragma once

#include "platform/AtomicFile.h"

#include <QStringList>

#include <memory>

class DocumentLock;

inline constexpr char kResaveUsage[] = "resave IN OUT";
inline constexpr char kCheckUsage[] = "check FILE";

// tavoro-cli resave IN OUT: loads IN and writes it as OUT in the current file layout.
int runResave(const QStringList& args);
// How a command writes a document: over the file it read (an import, a synchronisation), or over
// a file the user named to be replaced (resave's OUT), which may be write-protected.
enum class CliWrite { InPlace, Replace };
// Every command that writes a document holds its lock from before reading it until after writing
// it, so that two commands never both add to the same former contents. Another tavoro-cli that
// holds it is waited for, up to ten seconds; another program (the organizer itself, or one on
// another computer) is not. Nothing (having said why) when the lock cannot be had, or when the
// document is write-protected and to be written in place.
std::unique_ptr<DocumentLock> lockForWriting(const QString& path, CliWrite write = CliWrite::InPlace);
// tavoro-cli check FILE: loads FILE and prints its record counts.
int runCheck(const QStringList& args);
// Says on stderr why a file could not be read or written; nothing when the file was not at fault.
void reportFileError(const QString& path, platform::FileError error);
