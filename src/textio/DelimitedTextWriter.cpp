#include "DelimitedTextWriter.h"

#include "DelimitedTextSettings.h"
#include "platform/AtomicFile.h"

#include <algorithm>

DelimitedTextWriter::DelimitedTextWriter(const DelimitedTextSettings& settings) {
    if (!settings.Encloser.empty())
        m_encloser = settings.Encloser.front();
    if (!settings.Separator.empty())
        m_separator = settings.Separator.front();
    m_byteOrderMark = settings.ByteOrderMark;
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
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t quote = std::min(value.find(m_encloser, at), value.size());
        m_content.append(value.substr(at, quote - at));
        if (quote < value.size())
            m_content.append(2, m_encloser);
        at = quote + 1;
    }
    m_content += m_encloser;
}

void DelimitedTextWriter::EndLine() {
    m_content += '\n';
    m_lineStarted = false;
}

bool DelimitedTextWriter::Save(const QString& path) const {
    // Spreadsheet programs that need it are told the text is UTF-8 by a byte-order mark.
    if (m_byteOrderMark && !m_content.empty())
        return platform::WriteFileAtomically(path, "\xEF\xBB\xBF" + m_content);
    return platform::WriteFileAtomically(path, m_content);
}
