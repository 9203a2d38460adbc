#pragma once

#include <string>
#include <vector>

// The three kinds of record a delimited text file can hold, in the wizard's order.
enum class RecordType { Persons, Tasks, Appointments };

// Column names as the header line and the wizard show them. The writer always writes the export
// columns in this order; the reader takes the import columns in whatever order a file has them.
const std::vector<std::string>& ExportColumns(RecordType type);
const std::vector<std::string>& ImportColumns(RecordType type);
// The import columns a run must assign: persons need one of them, the others all.
const std::vector<std::string>& RequiredColumns(RecordType type);
bool NeedsAllRequiredColumns(RecordType type);
// "Persons", "Tasks" or "Appointments".
const char* TypeName(RecordType type);
