#pragma once

#include <optional>

class DelimitedTextSettings;
struct ImportReport;
class PimDocument;
class PimRecords;

// Copying the document's records to and from delimited text files.
//
// An export writes the wanted columns (SelectedFields) of every record in ascending ID order and
// returns how many records it wrote, or 0 when the file could not be written. An empty collection
// gives an empty file. An import adds every line of the file that gives a record what it needs,
// all in one batch of the document (one undo step, one notice to the observers), and returns how
// many it added; a file that cannot be opened adds nothing. When the collection has no ID left for
// a record, the import takes back what it added, leaves the document as it was and returns
// nothing (the program says kNoIdLeft). When asked, it also reports which lines it skipped or gave
// a default value, and why.
int ExportPersons(const PimRecords& records, const DelimitedTextSettings& settings);
std::optional<int> ImportPersons(PimDocument& document, const DelimitedTextSettings& settings,
                                 ImportReport* report = nullptr);
int ExportTasks(const PimRecords& records, const DelimitedTextSettings& settings);
std::optional<int> ImportTasks(PimDocument& document, const DelimitedTextSettings& settings,
                               ImportReport* report = nullptr);
int ExportAppointments(const PimRecords& records, const DelimitedTextSettings& settings);
std::optional<int> ImportAppointments(PimDocument& document, const DelimitedTextSettings& settings,
                                      ImportReport* report = nullptr);

// The export or import of the kind the settings were made for.
int ExportRecords(const PimRecords& records, const DelimitedTextSettings& settings);
std::optional<int> ImportRecords(PimDocument& document, const DelimitedTextSettings& settings,
                                 ImportReport* report = nullptr);
