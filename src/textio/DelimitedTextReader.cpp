#include "DelimitedTextReader.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <string>

DelimitedTextReader::DelimitedTextReader(const QString& path) {
    // Only a regular file: a pipe would hold the reader until someone writes to it.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    m_stream.open(std::filesystem::path(QFile::encodeName(path).toStdString()), std::ios::in | std::ios::binary);
}

bool DelimitedTextReader::ReadLine(std::string& line) {
    if (!m_stream.is_open() || !std::getline(m_stream, line))
        return false;
    if (m_atStart) {
        m_atStart = false;
        if (line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    // Record text never holds NUL; a stray one in the file is dropped rather than stored.
    if (line.find('\0') != std::string::npos)
        std::erase(line, '\0');
    return true;
}
