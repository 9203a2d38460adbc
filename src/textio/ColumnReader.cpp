#include "ColumnReader.h"

#include "DelimitedTextSettings.h"
#include "TextValues.h"

#include <algorithm>

namespace {
const std::string kNoText;
}

ColumnReader::ColumnReader(const DelimitedTextSettings& settings, const std::vector<std::string>& columns)
    : m_reader(settings.FilePath, settings.MakeTokenizer()), m_skipHeader(settings.FirstLineHasNames),
      m_source(columns.size(), -1) {
    const size_t count = static_cast<size_t>(std::max(settings.ColumnCount, 0));
    // When two file columns feed one column, the later one is read.
    for (size_t j = 0; j < count && j < settings.SelectedFields.size(); ++j) {
        const auto found = std::find(columns.begin(), columns.end(), settings.SelectedFields[j]);
        if (!settings.SelectedFields[j].empty() && found != columns.end())
            m_source[static_cast<size_t>(found - columns.begin())] = static_cast<int>(j);
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
    return true;
}

int ColumnReader::Source(int column) const {
    const int j = m_source[static_cast<size_t>(column)];
    if (j < 0 || static_cast<size_t>(j) >= m_record.count)
        return -1;
    const std::string& value = m_record.values[static_cast<size_t>(j)];
    const std::string_view text = value;
    return text == kEmptyFieldText || text == "EOF" ? -1 : j;
}

const std::string& ColumnReader::Field(int column) const {
    const int j = Source(column);
    return j < 0 ? kNoText : m_record.values[static_cast<size_t>(j)];
}

std::string_view ColumnReader::Text(int column) const {
    const int j = Source(column);
    if (j < 0)
        return {};
    const std::string& field = m_record.values[static_cast<size_t>(j)];
    return m_record.enclosed[static_cast<size_t>(j)] ? std::string_view(field) : textvalues::Trimmed(field);
}

void ColumnReader::Take(int column, std::string& into, bool trim) {
    const int j = Source(column);
    if (j < 0) {
        into.clear();
        return;
    }
    std::string& field = m_record.values[static_cast<size_t>(j)];
    std::string_view kept = field;
    if (trim && !m_record.enclosed[static_cast<size_t>(j)])
        kept = textvalues::Trimmed(kept);
    // A short text fits inside the string itself: copying it is cheaper than exchanging buffers.
    // A long one is moved, so that its bytes are not copied again.
    constexpr size_t kShort = 15;
    if (kept.size() <= kShort || kept.size() != field.size())
        into.assign(kept);
    else
        into.swap(field);
    field.clear();
}
