#pragma once

#include <QStringList>

inline constexpr char kSyncUsage[] = "sync DOC URL --user NAME [--password-file FILE] [--allow-plain-http] "
                                     "[--allow-deletions] [--calendar NAME] [--address-book NAME]";

// tavoro-cli sync DOC URL --user NAME [--password-file FILE] [--allow-plain-http] [--allow-deletions]
// [--calendar NAME] [--address-book NAME]: synchronises DOC (created when it does not exist) with a
// calendar and contacts server, saves it when anything came down and prints the report. Exits 1
// when anything was not carried (a failure, an item refused, deletions held back).
int runSync(const QStringList& args);
