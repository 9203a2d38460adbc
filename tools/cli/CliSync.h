#pragma once

#include <QStringList>

// tavoro-cli sync DOC URL --user NAME [--password-file FILE] [--allow-plain-http]: synchronises DOC
// (created when it does not exist) with a calendar and contacts server, saves it when anything came
// down and prints the report.
int runSync(const QStringList& args);
