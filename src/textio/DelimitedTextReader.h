#pragma once

#include <QString>

#include <fstream>
#include <string>

// Reads a delimited text file line by line, however long the lines are. A line ends with LF or
// CR LF; a last line without a line feed is a line too. A UTF-8 byte-order mark at the start of the
// file, as spreadsheet programs write one, is skipped, and so are NUL bytes.
class DelimitedTextReader {
public:
    explicit DelimitedTextReader(const QString& path);

    bool IsOpen() const { return m_stream.is_open(); }
    // The next line without its line end; false at the end of the file or on a read error.
    bool ReadLine(std::string& line);

private:
    std::ifstream m_stream;
    bool m_atStart = true;
};
