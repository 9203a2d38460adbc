#include "ContentLines.h"

#include "exchange/TextCase.h"
#include "exchange/VCardWriter.h"

#include <algorithm>
#include <cctype>

namespace {

// Where the name and parameters end: the first colon outside double quotes.
std::size_t valueColon(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return std::string_view::npos;
}

// A vCard 2.1 quoted-printable value that ends in '=' goes on in the next physical line.
bool softBreak(std::string_view logical) {
    if (logical.empty() || logical.back() != '=')
        return false;
    const std::size_t colon = valueColon(logical);
    return colon != std::string_view::npos &&
           textcase::Upper(logical.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

void describe(ContentLines::Line& line) {
    const std::size_t colon = valueColon(line.logical);
    const std::string_view head = std::string_view(line.logical).substr(0, colon);
    std::string_view name = head.substr(0, head.find(';'));
    if (const std::size_t dot = name.find('.'); dot != std::string_view::npos)
        name.remove_prefix(dot + 1);
    line.name = textcase::Upper(name);
    if (colon != std::string_view::npos)
        line.value = line.logical.substr(colon + 1);
}

} // namespace

ContentLines::ContentLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int depth = 0;
    bool continues = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view physical = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
        text.remove_prefix(physical.size());
        std::string_view content = physical;
        while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
            content.remove_suffix(1);
        const bool folded = !m_lines.empty() && !content.empty() && (content[0] == ' ' || content[0] == '\t');
        if (!m_lines.empty() && (continues || folded)) {
            Line& line = m_lines.back();
            line.raw.append(physical);
            if (continues) {
                line.logical.pop_back(); // the '='
                line.logical.append(content);
            } else {
                line.logical.append(content.substr(1));
            }
        } else {
            m_lines.push_back({std::string(physical), std::string(content), {}, {}, depth});
        }
        continues = softBreak(m_lines.back().logical);
        // The line is complete once the next one does not continue it; its name then decides
        // the nesting of what follows.
        if (!text.empty()) {
            const char next = text.front();
            if (continues || next == ' ' || next == '\t')
                continue;
        }
        Line& line = m_lines.back();
        describe(line);
        if (line.name == "BEGIN") {
            line.depth = depth++;
        } else if (line.name == "END") {
            depth = std::max(0, depth - 1);
            line.depth = depth;
        } else {
            line.depth = depth;
        }
    }
    m_before.resize(m_lines.size());
    m_replaced.resize(m_lines.size());
}

std::optional<ContentLines::Range> ContentLines::Component(std::string_view name, std::size_t from) const {
    for (std::size_t i = from; i < m_lines.size(); ++i) {
        if (m_lines[i].name != "BEGIN" || !textcase::EqualsNoCase(m_lines[i].value, name))
            continue;
        for (std::size_t j = i + 1; j < m_lines.size(); ++j)
            if (m_lines[j].name == "END" && m_lines[j].depth == m_lines[i].depth)
                return Range{i, j};
        return Range{i, m_lines.size()};
    }
    return std::nullopt;
}

std::vector<ContentLines::Range> ContentLines::Components(const Range& within, std::string_view name) const {
    std::vector<Range> found;
    const int inside = m_lines[within.begin].depth + 1;
    for (std::size_t i = within.begin + 1; i < within.end; ++i) {
        if (m_lines[i].depth != inside || m_lines[i].name != "BEGIN" || !textcase::EqualsNoCase(m_lines[i].value, name))
            continue;
        const std::optional<Range> component = Component(name, i);
        found.push_back(*component);
        i = component->end;
    }
    return found;
}

std::vector<std::size_t> ContentLines::Properties(const Range& within, std::string_view name) const {
    std::vector<std::size_t> found;
    const int inside = m_lines[within.begin].depth + 1;
    for (std::size_t i = within.begin + 1; i < within.end && i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.depth == inside && line.name == name && line.name != "BEGIN" && line.name != "END")
            found.push_back(i);
    }
    return found;
}

std::optional<std::size_t> ContentLines::Property(const Range& within, std::string_view name) const {
    const std::vector<std::size_t> found = Properties(within, name);
    return found.empty() ? std::nullopt : std::optional<std::size_t>(found.front());
}

void ContentLines::Replace(std::size_t index, std::string raw) {
    m_replaced[index] = std::move(raw);
}

void ContentLines::Remove(std::size_t index) {
    m_replaced[index] = std::string();
}

void ContentLines::Remove(const Range& component) {
    for (std::size_t i = component.begin; i <= component.end && i < m_lines.size(); ++i)
        Remove(i);
}

void ContentLines::InsertBefore(std::size_t index, std::string raw) {
    m_before[index] += raw;
}

std::string ContentLines::Text() const {
    std::string text;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        text += m_before[i];
        text += m_replaced[i] ? *m_replaced[i] : m_lines[i].raw;
    }
    return text;
}

std::string ContentLine(std::string_view nameAndParams, std::string_view value) {
    VCardWriter writer;
    writer.Line(nameAndParams, value);
    return writer.Text();
}
