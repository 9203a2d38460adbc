#include "VCardReader.h"

#include "TextEncoding.h"

#include <algorithm>
#include <cctype>

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// Where the name and parameters end: the first colon outside double quotes.
size_t valueColon(std::string_view line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return std::string_view::npos;
}

bool isQuotedPrintable(std::string_view line) {
    const size_t colon = valueColon(line);
    const std::string head = upper(line.substr(0, colon));
    return colon != std::string_view::npos && head.find("QUOTED-PRINTABLE") != std::string::npos;
}

// Hands each logical line to `take`, one at a time: folded lines (a line starting with a blank
// continues the one before) and the soft line breaks of quoted-printable values (a value ending in
// '=' goes on in the next line) joined, CR LF or LF taken off.
template <class Take> void forEachLogicalLine(std::string_view bytes, Take&& take) {
    std::string logical;
    bool started = false;
    bool softBreak = false;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (softBreak && started) {
            logical.pop_back(); // the '='
            logical.append(line);
        } else if (started && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            logical.append(line.substr(1));
        } else {
            if (started)
                take(logical);
            logical.assign(line);
            started = true;
        }
        softBreak = !logical.empty() && logical.back() == '=' && isQuotedPrintable(logical);
    }
    if (started)
        take(logical);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string decodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '=' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// Splits "NAME;P1;P2=v" at semicolons outside double quotes.
std::vector<std::string_view> headParts(std::string_view head) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i <= head.size(); ++i) {
        if (i < head.size() && head[i] == '"')
            quoted = !quoted;
        if (i == head.size() || (head[i] == ';' && !quoted)) {
            parts.push_back(head.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string unquoted(std::string_view value) {
    std::string out;
    for (char c : value)
        if (c != '"')
            out.push_back(c);
    return out;
}

bool isEncodingName(std::string_view value) {
    return equalsNoCase(value, "QUOTED-PRINTABLE") || equalsNoCase(value, "BASE64") || equalsNoCase(value, "B") ||
           equalsNoCase(value, "8BIT") || equalsNoCase(value, "7BIT");
}

bool parseLine(std::string_view line, VCardProperty& property) {
    const size_t colon = valueColon(line);
    if (colon == std::string_view::npos || colon == 0)
        return false;
    const std::vector<std::string_view> parts = headParts(line.substr(0, colon));
    std::string_view name = parts[0];
    if (const size_t dot = name.find('.'); dot != std::string_view::npos) {
        property.group = std::string(name.substr(0, dot));
        name.remove_prefix(dot + 1);
    }
    if (name.empty())
        return false;
    property.name = upper(name);
    std::string encoding;
    std::string charset;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        if (part.empty())
            continue;
        const size_t equals = part.find('=');
        std::string key = equals == std::string_view::npos ? std::string() : upper(part.substr(0, equals));
        std::string value = unquoted(equals == std::string_view::npos ? part : part.substr(equals + 1));
        if (key.empty())
            key = isEncodingName(value) ? "ENCODING" : "TYPE";
        if (key == "ENCODING")
            encoding = upper(value);
        else if (key == "CHARSET")
            charset = value;
        property.params.emplace_back(std::move(key), std::move(value));
    }
    std::string_view value = line.substr(colon + 1);
    if (encoding == "B" || encoding == "BASE64") {
        property.binary = true;
        return true;
    }
    property.value = encoding == "QUOTED-PRINTABLE" ? exchangetext::ToUtf8(decodeQuotedPrintable(value), charset)
                                                    : exchangetext::ToUtf8(value, charset);
    // Record text never holds a NUL.
    property.value.erase(std::remove(property.value.begin(), property.value.end(), '\0'), property.value.end());
    return true;
}

} // namespace

int ForEachVCard(std::string_view bytes, const std::function<void(const VCard&)>& take) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    int count = 0;
    VCard card;
    int depth = 0; // an embedded card (a 2.1 AGENT) is passed over whole
    forEachLogicalLine(bytes, [&](const std::string& line) {
        VCardProperty property;
        if (!parseLine(line, property))
            return;
        const bool begin = property.name == "BEGIN" && equalsNoCase(property.value, "VCARD");
        const bool end = property.name == "END" && equalsNoCase(property.value, "VCARD");
        if (begin) {
            if (depth++ == 0)
                card = VCard();
        } else if (end) {
            if (depth == 1) {
                ++count;
                take(card);
            }
            depth = std::max(0, depth - 1);
        } else if (depth == 1) {
            if (property.name == "VERSION")
                card.version = property.value;
            else
                card.properties.push_back(std::move(property));
        }
    });
    if (depth > 0) {
        ++count;
        take(card);
    }
    return count;
}

std::vector<VCard> ReadVCards(std::string_view bytes) {
    std::vector<VCard> cards;
    ForEachVCard(bytes, [&cards](const VCard& card) { cards.push_back(card); });
    return cards;
}
