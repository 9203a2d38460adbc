#include "DelimitedTextWriter.h"

#include "DelimitedTextSettings.h"
#include "platform/AtomicFile.h"

#include <algorithm>

DelimitedTextWriter::DelimitedTextWriter(const DelimitedTextSettings& settings) {
    if (!settings.Encloser.empty())
        m_encloser = settings.Encloser.front();
    if (!settings.Separator.empty())
        m_separator = settings.Separator.front();
}

void DelimitedTextWriter::AddValue(std::string_view value) {
    if (m_lineStarted)
        m_content += m_separator;
    m_lineStarted = true;
    if (value.empty())
        return;
    if (m_encloser == '\0') {
        for (char c : value)
            m_content += c == '\r' || c == '\n' || c == m_separator ? ' ' : c;
        return;
    }
    m_content += m_encloser;
    AppendEncoded(value);
    m_content += m_encloser;
}

void DelimitedTextWriter::AppendEncoded(std::string_view value) {
    const char special[] = {m_encloser, '\\', '\r', '\n'};
    const std::string_view specials(special, std::size(special));
    for (size_t i = 0; i < value.size(); ++i) {
        // Past the first character, plain text goes in as one piece.
        if (i > 0) {
            const size_t next = std::min(value.find_first_of(specials, i), value.size());
            m_content.append(value.substr(i, next - i));
            i = next;
            if (i == value.size())
                break;
        }
        const char c = value[i];
        // Right after the opening Encloser, an Encloser or a Separator would be read as the end of
        // an empty field; an octal escape reads back as the character itself.
        if (i == 0 && (c == m_encloser || c == m_separator)) {
            const auto code = static_cast<unsigned char>(c);
            m_content += '\\';
            m_content += static_cast<char>('0' + (code >> 6));
            m_content += static_cast<char>('0' + ((code >> 3) & 7));
            m_content += static_cast<char>('0' + (code & 7));
        } else if (c == m_encloser) {
            m_content += c;
            m_content += c;
        } else if (c == '\\') {
            m_content += "\\\\";
        } else if (c == '\r') {
            m_content += "\\r";
        } else if (c == '\n') {
            m_content += "\\n";
        } else {
            m_content += c;
        }
    }
}

void DelimitedTextWriter::EndLine() {
    m_content += '\n';
    m_lineStarted = false;
}

bool DelimitedTextWriter::Save(const QString& path) const {
    return platform::WriteFileAtomically(path, m_content);
}
