#include "FieldTokenizer.h"

#include <algorithm>
#include <cstring>

namespace {

// LF, CR LF and a lone CR each end a line. Counted once over a whole record rather than per field:
// most records hold no break but their own line end, which memchr finds without a byte loop.
int countLineBreaks(std::string_view text) {
    const char* const end = text.data() + text.size();
    int breaks = 0;
    for (const char* at = text.data(); (at = static_cast<const char*>(std::memchr(at, '\n', end - at))); ++at)
        ++breaks;
    for (const char* at = text.data(); (at = static_cast<const char*>(std::memchr(at, '\r', end - at))); ++at) {
        if (at + 1 == end || at[1] != '\n')
            ++breaks;
    }
    return breaks;
}

} // namespace

bool DelimitedRecord::IsBlank() const {
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& value = values[i];
        if (enclosed[i] ? !value.empty() : value.find_first_not_of(" \t") != std::string::npos)
            return false;
    }
    return true;
}

FieldTokenizer::FieldTokenizer() {
    SetSeparator(',');
}

void FieldTokenizer::SetEncloser(char encloser) {
    m_encloser = encloser;
}

void FieldTokenizer::SetSeparator(char separator) {
    m_separator = separator;
    m_stops.fill(false);
    for (char stop : {'\r', '\n', separator})
        m_stops[static_cast<unsigned char>(stop)] = true;
}

FieldTokenizer::Stop FieldTokenizer::ReadBare(std::string_view text, std::size_t& pos, bool final,
                                              std::string& value) const {
    std::size_t end = pos;
    while (end < text.size() && !m_stops[static_cast<unsigned char>(text[end])])
        ++end;
    value.append(text.data() + pos, end - pos);
    pos = end;
    if (end == text.size())
        return final ? Stop::End : Stop::Incomplete;
    return text[end] == m_separator ? Stop::Separator : Stop::LineEnd;
}

std::size_t FieldTokenizer::NextRecord(std::string_view text, bool final, DelimitedRecord& record) const {
    if (text.empty())
        return 0;
    record.count = 0;
    std::size_t pos = 0;
    for (;;) {
        if (record.count == record.values.size()) {
            record.values.emplace_back();
            record.enclosed.push_back(0);
        }
        std::string& value = record.values[record.count];
        value.clear();
        record.enclosed[record.count] = 0;
        ++record.count;

        std::size_t open = pos;
        while (open < text.size() && IsBlank(text[open]))
            ++open;
        if (open == text.size() && !final)
            return 0;
        Stop stop = Stop::Incomplete;
        if (m_encloser != '\0' && open < text.size() && text[open] == m_encloser) {
            // Enclosed: up to an Encloser that is not doubled.
            std::size_t at = open + 1;
            bool closed = false;
            for (;;) {
                const void* found = std::memchr(text.data() + at, m_encloser, text.size() - at);
                if (!found)
                    break;
                const std::size_t quote = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
                value.append(text.data() + at, quote - at);
                if (quote + 1 == text.size() && !final)
                    return 0; // the next byte may double it
                if (quote + 1 < text.size() && text[quote + 1] == m_encloser) {
                    value += m_encloser;
                    at = quote + 2;
                    continue;
                }
                at = quote + 1;
                closed = true;
                break;
            }
            if (!closed) {
                if (!final)
                    return 0;
                // Never closed: the Encloser was text after all.
                value.clear();
                stop = ReadBare(text, pos, final, value);
            } else {
                record.enclosed[record.count - 1] = 1;
                std::size_t after = at;
                while (after < text.size() && IsBlank(text[after]))
                    ++after;
                if (after == text.size()) {
                    if (!final)
                        return 0;
                    pos = after;
                    stop = Stop::End;
                } else if (m_stops[static_cast<unsigned char>(text[after])]) {
                    pos = after;
                    stop = text[after] == m_separator ? Stop::Separator : Stop::LineEnd;
                } else {
                    // Text after the closing Encloser belongs to the field, blanks and all.
                    pos = at;
                    stop = ReadBare(text, pos, final, value);
                }
            }
        } else {
            stop = ReadBare(text, pos, final, value);
        }

        switch (stop) {
        case Stop::Incomplete:
            return 0;
        case Stop::Separator:
            ++pos;
            continue;
        case Stop::End:
            // The breaks inside enclosed fields; bare fields and blanks hold none.
            record.lineBreaks = countLineBreaks(text.substr(0, pos));
            return pos;
        case Stop::LineEnd:
            break;
        }
        if (text[pos] == '\r') {
            if (pos + 1 == text.size() && !final)
                return 0; // an LF may follow
            if (pos + 1 < text.size() && text[pos + 1] == '\n')
                ++pos;
        }
        record.lineBreaks = countLineBreaks(text.substr(0, pos + 1));
        return pos + 1;
    }
}
