#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The fields of one record as the tokenizer cut them. The strings are reused from record to
// record, so that reading a large file does not allocate per field.
struct DelimitedRecord {
    std::vector<std::string> values; // the first `count` entries are this record's
    std::vector<char> enclosed;      // per field: whether it stood between Enclosers
    std::size_t count = 0;
    int lineBreaks = 0; // line breaks the record took, its own line end included

    std::string_view Value(std::size_t i) const { return i < count ? std::string_view(values[i]) : std::string_view(); }
    bool Enclosed(std::size_t i) const { return i < count && enclosed[i]; }
    // True when no field holds text: a blank line, or a row of Separators and blanks only.
    bool IsBlank() const;
};

// Cuts delimited text into records and fields as other programs write them. A field may stand
// between Enclosers; inside, a doubled Encloser is one Encloser, and the Separator and line breaks
// (CR, LF, CR LF) are text. Blanks before the opening and after the closing Encloser are ignored.
// A backslash is an ordinary character. Outside enclosed fields a record ends at CR, LF or CR LF.
// An enclosed field that never closes is read as bare text, so that one stray Encloser cannot
// swallow the rest of the file.
class FieldTokenizer {
public:
    FieldTokenizer();

    // NUL, the value after construction, never matches: no field counts as enclosed.
    void SetEncloser(char encloser);
    void SetSeparator(char separator);
    char Encloser() const { return m_encloser; }
    char Separator() const { return m_separator; }

    // Cuts the record at the front of `text` into `record`; returns the bytes it took, its line end
    // included. `final` says that nothing follows `text`; without it, a record that might go on
    // past the end of `text` is not taken and the result is 0. Empty `text` gives 0.
    std::size_t NextRecord(std::string_view text, bool final, DelimitedRecord& record) const;

private:
    enum class Stop { Separator, LineEnd, End, Incomplete };
    Stop ReadBare(std::string_view text, std::size_t& pos, bool final, std::string& value) const;
    bool IsBlank(char c) const { return (c == ' ' || c == '\t') && c != m_separator; }

    char m_encloser = '\0';
    char m_separator = ',';
    std::array<bool, 256> m_stops{}; // Separator, CR and LF: where a bare field ends
};
