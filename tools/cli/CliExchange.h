#pragma once

#include <QStringList>

// tavoro-cli import|export vcard|ical: persons as vCard, appointments and tasks as iCalendar.
// The import and export commands come here first; any other format goes on to the delimited text.
int runImportCommand(const QStringList& args);
int runExportCommand(const QStringList& args);
