#include "VCard.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> splitCommas(std::string_view text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            out.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

} // namespace

std::string UnescapeVCardText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n' || next == 'N') {
                out.push_back('\n');
                ++i;
                continue;
            }
            if (next == '\\' || next == ',' || next == ';' || next == ':') {
                out.push_back(next);
                ++i;
                continue;
            }
        }
        if (c == '\r') {
            // CR LF and a lone CR (from quoted-printable =0D=0A) are both one line break.
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

std::vector<std::string> VCardProperty::Param(std::string_view wanted) const {
    std::vector<std::string> values;
    for (const auto& [key, text] : params) {
        if (key == wanted) {
            for (std::string& part : splitCommas(text))
                values.push_back(std::move(part));
        }
    }
    return values;
}

bool VCardProperty::HasType(std::string_view type) const {
    for (const std::string& listed : Param("TYPE")) {
        if (equalsNoCase(listed, type))
            return true;
    }
    return false;
}

int VCardProperty::Preference() const {
    for (const std::string& given : Param("PREF")) {
        int pref = 100;
        std::from_chars(given.data(), given.data() + given.size(), pref);
        return pref;
    }
    return HasType("pref") ? 1 : 100;
}

std::string VCardProperty::Text() const {
    return UnescapeVCardText(value);
}

std::vector<std::string> VCardProperty::Components() const {
    std::vector<std::string> parts;
    const std::string_view text = value;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\\') {
            i += 2;
        } else if (text[i] == ';') {
            parts.push_back(UnescapeVCardText(text.substr(start, i - start)));
            start = ++i;
        } else {
            ++i;
        }
    }
    parts.push_back(UnescapeVCardText(text.substr(std::min(start, text.size()))));
    return parts;
}
