#pragma once

#include "core/RecordKind.h"

#include <string>
#include <vector>

// Column names as the header line and the wizard show them. The writer always writes the export
// columns in this order; the reader takes the import columns in whatever order a file has them.
const std::vector<std::string>& ExportColumns(RecordKind kind);
const std::vector<std::string>& ImportColumns(RecordKind kind);
// The import columns a run must assign: persons and tasks need one of them, appointments all.
const std::vector<std::string>& RequiredColumns(RecordKind kind);
bool NeedsAllRequiredColumns(RecordKind kind);
