#pragma once

#include <QString>

#include <string>
#include <string_view>

class DelimitedTextSettings;

// Builds an export file in memory, one line at a time, and writes it in one go.
//
// With an Encloser, every value that is not empty is enclosed, the Encloser inside it doubled and
// nothing else changed: line breaks stay in the value, as other programs write and read them.
// Without an Encloser nothing can be protected, so line breaks and the Separator inside a value
// are written as spaces: a record then still stays on one line with its columns in place. With a
// byte-order mark asked for, a file with content starts with the UTF-8 mark.
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
    char m_encloser = '\0';
    char m_separator = ',';
    bool m_lineStarted = false;
    bool m_byteOrderMark = false;
    std::string m_content;
};
