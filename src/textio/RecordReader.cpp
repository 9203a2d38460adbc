#include "RecordReader.h"

#include <algorithm>

namespace {
constexpr std::size_t kPiece = 256 * 1024;
}

RecordReader::RecordReader(const QString& path, const FieldTokenizer& tokenizer, std::size_t limit)
    : m_file(path), m_tokenizer(tokenizer), m_limit(limit) {
    m_atEnd = !m_file.IsOpen();
}

bool RecordReader::Next(DelimitedRecord& record) {
    for (;;) {
        const std::string_view rest(m_buffer.data() + m_pos, m_buffer.size() - m_pos);
        if (rest.empty() && m_atEnd)
            return false;
        if (const std::size_t used = m_tokenizer.NextRecord(rest, m_atEnd, record)) {
            m_line = m_nextLine;
            m_nextLine += record.lineBreaks;
            std::string_view text = rest.substr(0, used);
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
                text.remove_suffix(1);
            m_text = text;
            m_pos += used;
            return true;
        }
        // The record goes on past the buffer: keep it, and read at least as much again as it holds.
        m_buffer.erase(0, m_pos);
        m_pos = 0;
        const std::size_t size = std::max(kPiece, m_buffer.size());
        if ((m_limit != 0 && m_read >= m_limit) || !m_file.Read(m_buffer, size))
            m_atEnd = true;
        else
            m_read += size;
    }
}
