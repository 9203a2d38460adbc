#include "ColumnReader.h"

#include "DelimitedTextSettings.h"
#include "TextValues.h"

#include <algorithm>

ColumnReader::ColumnReader(const DelimitedTextSettings& settings, const std::vector<std::string>& columns)
    : m_reader(settings.FilePath, settings.MakeTokenizer()), m_skipHeader(settings.FirstLineHasNames),
      m_fed(columns.size(), 0), m_fields(columns.size()), m_enclosed(columns.size(), 0) {
    const size_t count = static_cast<size_t>(std::max(settings.ColumnCount, 0));
    m_target.assign(count, -1);
    for (size_t j = 0; j < count && j < settings.SelectedFields.size(); ++j) {
        const auto found = std::find(columns.begin(), columns.end(), settings.SelectedFields[j]);
        if (settings.SelectedFields[j].empty() || found == columns.end())
            continue;
        m_target[j] = static_cast<int>(found - columns.begin());
        m_fed[static_cast<size_t>(m_target[j])] = 1;
    }
}

bool ColumnReader::Start(ImportReport& report) {
    report.failure = m_reader.File().Why();
    if (!m_reader.File().IsOpen())
        return false;
    if (m_skipHeader)
        m_reader.Next(m_record);
    return true;
}

bool ColumnReader::NextLine() {
    do {
        if (!m_reader.Next(m_record))
            return false;
    } while (m_record.IsBlank());
    for (size_t j = 0; j < m_target.size(); ++j) {
        const int target = m_target[j];
        if (target < 0)
            continue;
        std::string& field = m_fields[static_cast<size_t>(target)];
        field.clear();
        m_enclosed[static_cast<size_t>(target)] = m_record.Enclosed(j);
        if (j >= m_record.count)
            continue;
        std::string& value = m_record.values[j];
        if (value != kEmptyFieldText && value != "EOF")
            field.swap(value);
    }
    return true;
}

std::string_view ColumnReader::Text(int column) const {
    const std::string& field = Field(column);
    return m_enclosed[static_cast<size_t>(column)] ? std::string_view(field) : textvalues::Trimmed(field);
}

void ColumnReader::Take(int column, std::string& into, bool trim) {
    std::string& field = m_fields[static_cast<size_t>(column)];
    if (trim && !m_enclosed[static_cast<size_t>(column)]) {
        const std::string_view kept = textvalues::Trimmed(field);
        if (kept.size() != field.size()) {
            const size_t from = static_cast<size_t>(kept.data() - field.data());
            field.erase(from + kept.size());
            field.erase(0, from);
        }
    }
    into.swap(field);
    field.clear();
}
