#pragma once

#include <array>

namespace wizard {

// One entry of the separator or encloser list: what the list shows and the character it gives.
struct FormatChoice {
    const char* label;
    const char* value;
};

inline constexpr std::array<FormatChoice, 5> kSeparatorChoices = {{
    {"Comma(,)", ","},
    {"Semi-colon(;)", ";"},
    {"Pipe(|)", "|"},
    {"Space", " "},
    {"Tab", "\t"},
}};

inline constexpr std::array<FormatChoice, 3> kEncloserChoices = {{
    {"Double Quote(\")", "\""},
    {"Single Quote(')", "'"},
    {"Nothing", ""},
}};

} // namespace wizard
