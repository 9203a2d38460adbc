#pragma once

#include <QStringList>

inline constexpr char kAgendaUsage[] = "agenda DOC [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|json]";

// tavoro-cli agenda DOC [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|json]: what the
// calendar shows on those days (today and the next 7 by default), in a form that does not depend
// on the locale.
int runAgenda(const QStringList& args);
