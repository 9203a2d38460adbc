#pragma once

#include "ExchangeReport.h"

#include "core/DateTime.h"

#include <QString>

#include <string_view>

class PimDocument;

// iCalendar files of the appointment book and the task list, in and out, through libical.
namespace calendarexchange {

struct ImportOptions {
    // Recurring events are expanded between these days; with `windowAll`, single events and
    // to-dos outside them are passed over too. Default: a year back to two years ahead of today.
    DateTime from;
    DateTime to;
    bool windowAll = false;
    DateTime today; // the due day of a to-do that names none; the window is counted from it
};
ImportOptions DefaultImportOptions();

// Adds an appointment for every occurrence that keeps this program's rules (within one day, on
// quarter hours, not overlapping one the document held before), a task for every all-day event (due
// on its first day) and every VTODO. What the document held before the import is counted, not
// added, however often the file repeats an entry; events that
// do not fit are named in the report with the reason. The document is marked modified and
// notified once, when anything was added. A file libical cannot parse adds nothing.
ExchangeReport ImportText(PimDocument& document, std::string_view text, const ImportOptions& options);
ExchangeReport ImportFile(PimDocument& document, const QString& path, const ImportOptions& options);

struct ExportOptions {
    DateTime from; // appointments and tasks of these days only; invalid: no limit
    DateTime to;
    QString documentKey = QStringLiteral("Untitled"); // recorduid::DocumentKey of the document's file
};

// Every appointment as a VEVENT and every task as a VTODO, in ID order.
std::string ExportText(const PimDocument& document, const ExportOptions& options, int* written = nullptr);
ExchangeReport ExportFile(const PimDocument& document, const QString& path, const ExportOptions& options);

} // namespace calendarexchange
