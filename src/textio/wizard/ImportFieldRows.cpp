#include "ImportFieldRows.h"

#include "textio/DelimitedTextSettings.h"

namespace wizard {

ImportFieldRows::Source ImportFieldRows::SourceOf(const DelimitedTextSettings& settings) {
    return {settings.FilePath, settings.FirstLine, settings.Separator, settings.Encloser, settings.FirstLineHasNames};
}

void ImportFieldRows::Build(DelimitedTextSettings& settings) {
    settings.ListFirstLineFields();
    m_rows.clear();
    m_rows.reserve(settings.FirstLineFields.size());
    // A header names its columns: each takes the field it names, and the user changes what is wrong.
    if (settings.FirstLineHasNames)
        settings.AssignColumnsByName();
    for (std::size_t j = 0; j < settings.FirstLineFields.size(); ++j) {
        const bool named = settings.FirstLineHasNames && j < settings.SelectedFields.size();
        m_rows.push_back({settings.FirstLineFields[j], named ? settings.SelectedFields[j] : std::string()});
    }
    m_source = SourceOf(settings);
}

bool ImportFieldRows::IsCurrent(const DelimitedTextSettings& settings) const {
    return m_source && *m_source == SourceOf(settings);
}

int ImportFieldRows::Assign(int row, const std::string& column) {
    if (column.empty()) {
        Unassign(row);
        return -1;
    }
    m_rows.at(static_cast<std::size_t>(row)).column = column;
    for (std::size_t other = 0; other < m_rows.size(); ++other) {
        if (static_cast<int>(other) != row && m_rows[other].column == column) {
            m_rows[other].column.clear();
            return static_cast<int>(other);
        }
    }
    return -1;
}

void ImportFieldRows::Unassign(int row) {
    m_rows.at(static_cast<std::size_t>(row)).column.clear();
}

std::vector<std::string> ImportFieldRows::SelectedFields() const {
    std::vector<std::string> selected;
    selected.reserve(m_rows.size());
    for (const Row& row : m_rows)
        selected.push_back(row.column);
    return selected;
}

} // namespace wizard
