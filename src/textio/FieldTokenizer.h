#pragma once

#include <array>
#include <string>
#include <string_view>

// Cuts one line of a delimited text file into fields. A field may be enclosed in the Encloser, in
// which case a doubled Encloser stands for one, the Separator ends the field only right after an
// Encloser, and a backslash starts a C escape (\n, \t, \\, \042 ...). The tokenizer holds only its
// two characters; the line belongs to the caller and is shortened by each call.
class FieldTokenizer {
public:
    FieldTokenizer();

    // NUL, the value after construction, never matches: no field counts as enclosed.
    void SetEncloser(char encloser);
    void SetSeparator(char separator) { m_separator = separator; }
    char Encloser() const { return m_encloser; }
    char Separator() const { return m_separator; }

    // Takes the next field off the front of `line` into `field`. False when the line holds no
    // further field; `field` is then left as it was.
    bool NextField(std::string_view& line, std::string& field) const;

private:
    void ReadEnclosed(std::string_view& line, std::string& field) const;

    char m_encloser = '\0';
    char m_separator = '\0';
    // Per byte: whether it is plain text inside an enclosed field (not the Encloser, a backslash or a
    // line end), so that runs of text are taken in one piece.
    std::array<bool, 256> m_plain{};
};
