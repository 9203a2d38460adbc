#pragma once

#include "DelimitedTextReader.h"
#include "FieldTokenizer.h"

#include <cstddef>
#include <string>

// Reads a delimited text file record by record, however long its records are and however many
// lines an enclosed field spans. Each piece of the file is cut once, except a record that a piece
// ends inside of: that one is cut again once the next, larger piece is there, so reading stays
// linear in the size of the file.
class RecordReader {
public:
    // `limit` stops the reading after about that many bytes (0: the whole file); the wizard's
    // preview needs only the start of a file.
    RecordReader(const QString& path, const FieldTokenizer& tokenizer, std::size_t limit = 0);

    const DelimitedTextReader& File() const { return m_file; }
    // The next record; false at the end of the file.
    bool Next(DelimitedRecord& record);
    // The number of the line the last record started on, counted from 1.
    int Line() const { return m_line; }
    // The text the last record took, without its line end.
    std::string_view Text() const { return m_text; }

private:
    DelimitedTextReader m_file;
    FieldTokenizer m_tokenizer;
    std::size_t m_limit;
    std::size_t m_read = 0;
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_atEnd = false;
    int m_line = 0;
    int m_nextLine = 1;
    std::string_view m_text;
};
