#pragma once

#include <string>
#include <vector>

class DelimitedTextSettings;
class DelimitedTextWriter;

// The columns an export writes: those of the record type's fixed order whose names are selected.
class ExportColumnSet {
public:
    ExportColumnSet(const std::vector<std::string>& columns, const DelimitedTextSettings& settings);

    bool Wanted(int column) const { return m_wanted[static_cast<size_t>(column)]; }
    // The header line: the wanted names in the order the rows give their values, so that the
    // names stand over their values whatever order SelectedFields lists them in.
    void WriteHeader(DelimitedTextWriter& writer) const;

private:
    const std::vector<std::string>& m_columns;
    std::vector<bool> m_wanted;
};
