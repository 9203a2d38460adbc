#include "ExportColumnSet.h"

#include "DelimitedTextSettings.h"
#include "DelimitedTextWriter.h"

#include <algorithm>

ExportColumnSet::ExportColumnSet(const std::vector<std::string>& columns, const DelimitedTextSettings& settings)
    : m_columns(columns), m_wanted(columns.size(), false) {
    const auto& selected = settings.SelectedFields;
    for (size_t i = 0; i < columns.size(); ++i)
        m_wanted[i] = std::find(selected.begin(), selected.end(), columns[i]) != selected.end();
}

void ExportColumnSet::WriteHeader(DelimitedTextWriter& writer) const {
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_wanted[i])
            writer.AddValue(m_columns[i]);
    }
    writer.EndLine();
}
