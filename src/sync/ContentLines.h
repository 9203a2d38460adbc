#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The content lines of a vCard or iCalendar text exactly as they stand, for changing a few of
// them and giving every other byte back as it was: what a server keeps that this program has no
// field for must survive an edit made here.
class ContentLines {
public:
    explicit ContentLines(std::string_view text);

    struct Line {
        std::string raw;     // the physical lines with their folds and line ends
        std::string logical; // unfolded, without the line end
        std::string name;    // the property name in upper case, without a group ("item1.")
        std::string value;   // what follows the first colon outside quotes
        int depth = 0;       // how many components enclose it (BEGIN and END count as outside)
    };
    // A component: the indices of its BEGIN and END lines.
    struct Range {
        std::size_t begin = 0, end = 0;
    };

    std::size_t Size() const { return m_lines.size(); }
    const Line& At(std::size_t index) const { return m_lines[index]; }

    // The first component of that name (any letter case) at or after `from`.
    std::optional<Range> Component(std::string_view name, std::size_t from = 0) const;
    // The components of that name directly inside `within`.
    std::vector<Range> Components(const Range& within, std::string_view name) const;
    // The properties of that name directly inside `within` (not in components nested in it).
    std::vector<std::size_t> Properties(const Range& within, std::string_view name) const;
    std::optional<std::size_t> Property(const Range& within, std::string_view name) const;

    // Edits keep every index valid: a line replaced or removed keeps its place, and lines
    // inserted go before a given line.
    void Replace(std::size_t index, std::string raw);
    void Remove(std::size_t index);
    void Remove(const Range& component);
    void InsertBefore(std::size_t index, std::string raw);

    std::string Text() const;

private:
    std::vector<Line> m_lines;
    std::vector<std::string> m_before;
    std::vector<std::optional<std::string>> m_replaced;
};

// A content line as written: "NAME;PARAMS:value", folded at 75 octets (never inside a UTF-8
// character), ended by CR LF. `value` must already be escaped.
std::string ContentLine(std::string_view nameAndParams, std::string_view value);
