#pragma once

#include "ExchangeReport.h"

#include "core/DateTime.h"

#include <QString>

#include <string_view>

class PimDocument;

// iCalendar files of the appointment book and the task list, in and out, through libical.
namespace calendarexchange {

struct ImportOptions {
    // With `windowAll`, events with no occurrence between these days, and to-dos not due on them,
    // are passed over. Default: a year back to two years ahead of today.
    DateTime from;
    DateTime to;
    bool windowAll = false;
    DateTime today; // the due day of a to-do that names none; the window is counted from it
};
ImportOptions DefaultImportOptions();

// Adds an appointment for every event: a series as one appointment with its rule and excluded
// dates, and each of its changed occurrences (RECURRENCE-ID) as a record tied to it; all-day and
// multi-day events keep their days, zoned events their zone, times their minute. A task for every
// VTODO. What the document held before the import is counted, not added, however often the file
// repeats an entry; events that hold nothing this program keeps are named in the report with the
// reason, and properties nothing is read from are counted by name. The document is marked modified and
// notified once, when anything was added. A file libical cannot parse adds nothing.
ExchangeReport ImportText(PimDocument& document, std::string_view text, const ImportOptions& options);
ExchangeReport ImportFile(PimDocument& document, const QString& path, const ImportOptions& options);

struct ExportOptions {
    DateTime from; // appointments and tasks of these days only; invalid: no limit
    DateTime to;
    QString documentKey = QStringLiteral("Untitled"); // recorduid::DocumentKey of the document's file
};

// Every appointment as a VEVENT (a changed occurrence after its series, under its UID) and every
// task as a VTODO, in ID order, after a VTIMEZONE for each zone the events name.
std::string ExportText(const PimDocument& document, const ExportOptions& options, int* written = nullptr);
ExchangeReport ExportFile(const PimDocument& document, const QString& path, const ExportOptions& options);

} // namespace calendarexchange
