#pragma once

#include <QStringList>

inline constexpr char kAgendaUsage[] =
    "agenda DOC [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|json] [--no-birthdays]";

// tavoro-cli agenda DOC [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|json] [--no-birthdays]:
// what the calendar shows on those days (today and the next 7 by default), the phone book's
// birthdays among them, in a form that does not depend on the locale.
int runAgenda(const QStringList& args);
