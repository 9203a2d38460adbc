#include "ColumnReader.h"

#include "DelimitedTextSettings.h"

#include <algorithm>

ColumnReader::ColumnReader(const DelimitedTextSettings& settings, const std::vector<std::string>& columns)
    : m_reader(settings.FilePath), m_tokenizer(settings.MakeTokenizer()), m_skipHeader(settings.FirstLineHasNames),
      m_fed(columns.size(), 0), m_fields(columns.size()) {
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

bool ColumnReader::Start() {
    if (!m_reader.IsOpen())
        return false;
    return !m_skipHeader || m_reader.ReadLine(m_line);
}

bool ColumnReader::NextLine() {
    if (!m_reader.ReadLine(m_line))
        return false;
    for (int target : m_target) {
        if (target >= 0)
            m_fields[static_cast<size_t>(target)].clear();
    }
    std::string_view rest = m_line;
    for (int target : m_target) {
        m_field.clear();
        m_tokenizer.NextField(rest, m_field);
        if (target < 0)
            continue;
        std::string& field = m_fields[static_cast<size_t>(target)];
        const std::string_view text = m_field;
        if (text == kEmptyFieldText || text == "EOF")
            field.clear();
        else
            field.swap(m_field);
    }
    return true;
}
