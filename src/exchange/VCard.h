#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One content line of a vCard, decoded: the value is UTF-8 with the format's backslash escapes
// still in place, so that compound values (N, ADR, ORG) can be split where a separator is not
// escaped.
struct VCardProperty {
    std::string group; // "item1" of "item1.EMAIL", or empty
    std::string name;  // in upper case
    // Parameter names in upper case; a bare 2.1 parameter ("WORK") is a TYPE, a bare encoding an
    // ENCODING. Values without their quotes.
    std::vector<std::pair<std::string, std::string>> params;
    std::string value;
    bool binary = false; // an inline base64 value (a photo, a key): not kept

    // Whether a TYPE lists this type (any letter case), in any version's style.
    bool HasType(std::string_view type) const;
    // The preference: PREF=n, or 1 for TYPE=pref; 100 when none is given (lower is preferred).
    int Preference() const;
    // The value with its escapes resolved and line breaks as LF.
    std::string Text() const;
    // The parts of a compound value (split at unescaped semicolons), each resolved as by Text().
    std::vector<std::string> Components() const;
    // The values of a parameter, split at commas.
    std::vector<std::string> Param(std::string_view name) const;
};

struct VCard {
    std::string version; // "2.1", "3.0", "4.0", or what the card said
    std::vector<VCardProperty> properties;
};

// Resolves \n \N \\ \, \; \: and gives line breaks as LF; other backslashes stay as they are (2.1
// files do not escape them).
std::string UnescapeVCardText(std::string_view text);
