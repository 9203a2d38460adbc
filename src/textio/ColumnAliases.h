#pragma once

#include "TextColumns.h"

#include <string>
#include <string_view>

// The import column a header name stands for: our own column names and the names other programs'
// exports use for the same fields (mail programs, desktop address books, web contact services,
// spreadsheet templates). Names are compared without regard to letter case, blanks, '-' and '_'.
// Empty when the name stands for no column of the record kind.
std::string ColumnForHeader(RecordKind kind, std::string_view header);
