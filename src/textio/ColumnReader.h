#pragma once

#include "DelimitedTextReader.h"
#include "FieldTokenizer.h"

#include <string>
#include <vector>

class DelimitedTextSettings;

// Reads the data lines of an import file and hands out, for each column of the record, the field
// of the file column that feeds it. The columns are given by name; SelectedFields says which file
// column (by position) feeds which of them.
class ColumnReader {
public:
    ColumnReader(const DelimitedTextSettings& settings, const std::vector<std::string>& columns);

    // Skips the header line when there is one; false when the file cannot be read at all.
    bool Start();
    // Reads and cuts the next line; false at the end of the file.
    bool NextLine();

    // Whether some file column feeds the column.
    bool Has(int column) const { return m_fed[static_cast<size_t>(column)] != 0; }
    // The column's field on the current line: empty when not fed, when the line is short, or when
    // the field reads "EMPTY FIELD" or "EOF".
    const std::string& Field(int column) const { return m_fields[static_cast<size_t>(column)]; }

private:
    DelimitedTextReader m_reader;
    FieldTokenizer m_tokenizer;
    bool m_skipHeader = false;
    std::vector<int> m_target; // per file column: the column it feeds, or -1
    std::vector<char> m_fed;
    std::vector<std::string> m_fields;
    std::string m_line;
    std::string m_field;
};
