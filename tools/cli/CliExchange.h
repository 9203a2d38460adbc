#pragma once

#include <QStringList>

inline constexpr char kImportVCardUsage[] = "import vcard DOC FILE.vcf";
inline constexpr char kImportICalUsage[] = "import ical DOC FILE.ics [--from YYYY-MM-DD] [--to YYYY-MM-DD]";
inline constexpr char kExportVCardUsage[] = "export vcard DOC OUT.vcf [--white] [--yellow] [--version 3.0|4.0]";
inline constexpr char kExportICalUsage[] = "export ical DOC OUT.ics [--from YYYY-MM-DD] [--to YYYY-MM-DD]";

// tavoro-cli import|export vcard|ical: persons as vCard, appointments and tasks as iCalendar.
// The import and export commands come here first; any other format goes on to the delimited text.
int runImportCommand(const QStringList& args);
int runExportCommand(const QStringList& args);
