#pragma once

#include <QString>

#include <string>
#include <string_view>

class DelimitedTextSettings;

// Builds an export file in memory, one line at a time, and writes it in one go.
//
// With an Encloser, every value is enclosed and written so that FieldTokenizer reads it back byte
// for byte: the Encloser is doubled, a backslash is written as "\\", CR and LF as "\r" and "\n",
// and an Encloser at the very start of a value as an octal escape (a doubled Encloser there would
// read as a literal one followed by the end of the field). Without an Encloser nothing can be
// escaped, so line breaks and the Separator inside a value are written as spaces: a record then
// still stays on one line with its columns in place.
class DelimitedTextWriter {
public:
    explicit DelimitedTextWriter(const DelimitedTextSettings& settings);

    // Appends a value to the current line; an empty value adds nothing but its Separator.
    void AddValue(std::string_view value);
    // Ends the current line with a single line feed.
    void EndLine();

    const std::string& Content() const { return m_content; }
    // Replaces the file at `path` with the content; the old file stays if writing fails.
    bool Save(const QString& path) const;

private:
    void AppendEncoded(std::string_view value);

    char m_encloser = '\0';
    char m_separator = ',';
    bool m_lineStarted = false;
    std::string m_content;
};
