#pragma once

#include "ImportReport.h"
#include "RecordReader.h"

#include <string>
#include <string_view>
#include <vector>

class DelimitedTextSettings;

// Reads the data records of an import file and hands out, for each column of the record type,
// the field of the file column that feeds it. The columns are given by name; SelectedFields says
// which file column (by position) feeds which of them.
class ColumnReader {
public:
    ColumnReader(const DelimitedTextSettings& settings, const std::vector<std::string>& columns);

    // Skips the header record when there is one; false (with the reason in `report`) when the
    // file cannot be read at all.
    bool Start(ImportReport& report);
    // Reads the next record that holds any text; false at the end of the file.
    bool NextLine();
    // The line of the file the current record starts on.
    int Line() const { return m_reader.Line(); }

    // Whether some file column feeds the column.
    bool Has(int column) const { return m_source[static_cast<size_t>(column)] >= 0; }
    // The column's field on the current record as the file has it: empty when not fed, when the
    // record is short, or when the field reads "EMPTY FIELD" or "EOF".
    const std::string& Field(int column) const;
    // The field as a value: an enclosed field exactly as enclosed, a bare one trimmed of white space.
    std::string_view Text(int column) const;
    // Hands the field's value (as Text gives it, or as the file has it when `trim` is false) to
    // `into`, moving a long text rather than copying it; the field reads empty afterwards.
    void Take(int column, std::string& into, bool trim = true);

private:
    // The file column whose field feeds the column on this record, or -1 when that field reads empty.
    int Source(int column) const;

    RecordReader m_reader;
    bool m_skipHeader = false;
    // Per column: the file column that feeds it, or -1. The fields stay in the record; the
    // columns only point at them, so that a line's fields are not handed around before use.
    std::vector<int> m_source;
    DelimitedRecord m_record;
};
