#include "FieldTokenizer.h"

#include <algorithm>

namespace {

// Space, tab, line feed, vertical tab, form feed and carriage return.
bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

char controlFor(char c) {
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    default:
        return '\0';
    }
}

} // namespace

FieldTokenizer::FieldTokenizer() {
    SetEncloser('\0');
}

void FieldTokenizer::SetEncloser(char encloser) {
    m_encloser = encloser;
    m_plain.fill(true);
    for (char special : {'\r', '\n', '\\', encloser})
        m_plain[static_cast<unsigned char>(special)] = false;
}

bool FieldTokenizer::NextField(std::string_view& line, std::string& field) const {
    line = trimmed(line);
    if (line.empty())
        return false;
    field.clear();
    if (line.front() == m_separator) {
        line.remove_prefix(1);
        return true;
    }
    if (line.front() == m_encloser && m_encloser != '\0') {
        ReadEnclosed(line, field);
        return true;
    }
    const size_t end = line.find(m_separator);
    if (end == std::string_view::npos) {
        field.assign(line);
        line = {};
    } else {
        field.assign(line.substr(0, end));
        line.remove_prefix(end + 1);
    }
    return true;
}

// The opening Encloser is handled like any other, so a field that starts with two Enclosers begins
// with a literal one. The last character of the line is taken to be the closing Encloser and is
// never looked at as the current character, though an Encloser or an escape before it may take it
// as theirs. No index ever passes the end of the line.
void FieldTokenizer::ReadEnclosed(std::string_view& line, std::string& field) const {
    const size_t n = line.size();
    // Most fields are plain text between two Enclosers, followed by the Separator or the line's end.
    size_t end = 1;
    while (end + 1 < n && m_plain[static_cast<unsigned char>(line[end])])
        ++end;
    if (end > 1 && end < n && line[end] == m_encloser && (end + 1 == n || line[end + 1] == m_separator)) {
        field.assign(line.data() + 1, end - 1);
        line.remove_prefix(std::min(end + 2, n));
        return;
    }

    size_t i = 0;
    bool ended = false; // by a line end or an Encloser before the Separator
    while (!ended && i + 1 < n) {
        // Text without any character of meaning goes in as one piece.
        size_t run = i;
        while (run + 1 < n && m_plain[static_cast<unsigned char>(line[run])])
            ++run;
        if (run > i) {
            field.append(line.data() + i, run - i);
            i = run;
            continue;
        }
        char c = line[i];
        if (c == '\r' || c == '\n') {
            ++i; // the line end is consumed with the field
            ended = true;
            continue;
        }
        if (c == m_encloser) {
            const char next = line[i + 1];
            if (next == m_encloser) {
                field += m_encloser;
                i += 2;
                continue;
            }
            if (next == m_separator) {
                i += 2;
                ended = true;
                continue;
            }
            // A stray Encloser is dropped; the character after it is read as text or an escape.
            ++i;
            c = next;
        }
        if (c != '\\') {
            field += c;
            ++i;
            continue;
        }
        ++i; // the backslash
        if (i >= n)
            break;
        const char e = line[i];
        if (!isOctal(e)) {
            const char control = controlFor(e);
            field += control != '\0' ? control : e;
            ++i;
            continue;
        }
        int value = 0;
        int digits = 0;
        while (digits < 3 && i < n && isOctal(line[i])) {
            value = value * 8 + (line[i] - '0');
            ++digits;
            ++i;
        }
        // Record text never holds NUL: an escape for it adds nothing.
        if ((value & 0xFF) != 0)
            field += static_cast<char>(value & 0xFF);
        // A character that cut the digits short goes in as it is, except the Encloser, which is
        // read as an Encloser so that "\1" followed by the closing Encloser still closes the field.
        if (digits < 3 && i < n && line[i] != m_encloser) {
            field += line[i];
            ++i;
        }
    }
    // The last character closes the field when the loop stopped on it.
    if (!ended && i + 1 == n)
        i = n;
    line.remove_prefix(i);
}
