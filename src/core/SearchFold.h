#pragma once

#include <string>
#include <string_view>

// Text as the search compares it: decoded as the lists decode it (UTF-8, or Windows-1252 for any
// other bytes), accents taken off, letter case folded, and letters that carry no separate accent
// spelled out ("ß" as "ss", "ø" as "o"). The result is UTF-8, so that a folded query is found in a
// folded record byte by byte.
namespace SearchFold {

std::string Fold(std::string_view bytes);

// Appends the folded text to `out` (spares a string per field while an index is built).
void AppendFolded(std::string_view bytes, std::string& out);

} // namespace SearchFold
