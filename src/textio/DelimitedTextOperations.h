#pragma once

class DelimitedTextSettings;
struct ImportReport;
class PimDocument;
class PimRecords;

// Copying the document's records to and from delimited text files.
//
// An export writes the wanted columns (SelectedFields) of every record in ascending ID order and
// returns how many records it wrote, or 0 when the file could not be written. An empty collection
// gives an empty file. An import adds every line of the file that gives a record what it needs,
// each through the document (which is then marked modified and notifies its observers), and
// returns how many it added; a file that cannot be opened adds nothing. When the collection has
// no ID left for a record, the import takes back what it added, leaves the document as it was and
// returns NoIdLeft. When asked, it also reports which lines it skipped or gave a default value, and why.
constexpr int NoIdLeft = -1;
int ExportPersons(const PimRecords& records, const DelimitedTextSettings& settings);
int ImportPersons(PimDocument& document, const DelimitedTextSettings& settings, ImportReport* report = nullptr);
int ExportTasks(const PimRecords& records, const DelimitedTextSettings& settings);
int ImportTasks(PimDocument& document, const DelimitedTextSettings& settings, ImportReport* report = nullptr);
int ExportAppointments(const PimRecords& records, const DelimitedTextSettings& settings);
int ImportAppointments(PimDocument& document, const DelimitedTextSettings& settings, ImportReport* report = nullptr);
