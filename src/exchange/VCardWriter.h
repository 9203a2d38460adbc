#pragma once

#include <string>
#include <string_view>
#include <vector>

// Builds vCard text: content lines ended by CR LF and folded at 75 octets (never inside a UTF-8
// character), as RFC 2426 and RFC 6350 ask.
class VCardWriter {
public:
    // "NAME;PARAMS:value"; the value must already be escaped (see Escape and Compound).
    void Line(std::string_view nameAndParams, std::string_view value);

    // A text value with backslash, comma, semicolon and line breaks escaped.
    static std::string Escape(std::string_view text);
    // The parts of a compound value, each escaped, joined by semicolons.
    static std::string Compound(const std::vector<std::string>& parts);

    const std::string& Text() const { return m_text; }
    std::string& Text() { return m_text; }

private:
    std::string m_text;
};
