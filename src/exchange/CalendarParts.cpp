#include "CalendarParts.h"

#include "TextCase.h"

#include <algorithm>
#include <cctype>

namespace calendarparts {

namespace {

// The component a "BEGIN:" or "END:" line names, upper case; empty for any other line. A folded
// continuation starts with a blank, so it never reads as one.
std::string componentName(std::string_view line, std::string_view keyword) {
    if (line.size() <= keyword.size() || !textcase::EqualsNoCase(line.substr(0, keyword.size()), keyword))
        return {};
    line.remove_prefix(keyword.size());
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return textcase::Upper(line);
}

void append(std::string& text, std::string_view lines) {
    text.append(lines);
    if (!lines.empty() && lines.back() != '\n')
        text.append("\r\n");
}

class Splitter {
public:
    explicit Splitter(std::string_view text) : m_text(text) {}

    std::vector<Calendar> Run() {
        std::size_t at = 0;
        while (at < m_text.size()) {
            const std::size_t end = m_text.find('\n', at);
            const std::size_t next = end == std::string_view::npos ? m_text.size() : end + 1;
            Line(at, next);
            at = next;
        }
        closeTo(0, m_text.size());
        return std::move(m_calendars);
    }

private:
    void Line(std::size_t from, std::size_t to) {
        const std::string_view line = m_text.substr(from, to - from);
        if (std::string name = componentName(line, "BEGIN:"); !name.empty()) {
            if (m_open.empty() && name != "VCALENDAR")
                return;
            if (m_open.empty())
                m_calendars.emplace_back();
            else if (m_open.size() == 1)
                m_componentStart = from;
            m_open.push_back(std::move(name));
            return;
        }
        if (const std::string name = componentName(line, "END:"); !name.empty()) {
            // An END closes the component it names and any left open inside it; one that names
            // none of them is a line of the component.
            const auto named = std::find(m_open.rbegin(), m_open.rend(), name);
            if (named != m_open.rend()) {
                const auto depth = static_cast<std::size_t>(m_open.rend() - named) - 1;
                // A component the calendar's own END closes ends before that line.
                closeTo(depth, depth == 0 ? from : to);
                return;
            }
        }
        if (m_open.size() == 1)
            m_calendars.back().properties.push_back(line);
    }

    // Closes the components open deeper than `depth`; a component of the calendar ends at `to`.
    void closeTo(std::size_t depth, std::size_t to) {
        if (m_open.size() > 1 && depth <= 1) {
            const std::string_view text = m_text.substr(m_componentStart, to - m_componentStart);
            Calendar& calendar = m_calendars.back();
            if (m_open[1] == "VTODO")
                calendar.todos.push_back(text);
            else if (m_open[1] == "VTIMEZONE")
                calendar.zones.push_back(text);
            else
                calendar.others.push_back(text);
        }
        m_open.resize(std::min(m_open.size(), depth));
    }

    std::string_view m_text;
    std::vector<Calendar> m_calendars;
    std::vector<std::string> m_open; // the components open, outermost first
    std::size_t m_componentStart = 0;
};

} // namespace

void Calendar::ForEachPart(const std::function<void(const std::string&)>& take) const {
    const auto part = [this](const std::vector<std::string_view>& components, std::size_t from, std::size_t to) {
        std::string text = "BEGIN:VCALENDAR\r\n";
        for (const std::string_view line : properties)
            append(text, line);
        for (const std::string_view zone : zones)
            append(text, zone);
        for (std::size_t i = from; i < to; ++i)
            append(text, components[i]);
        text.append("END:VCALENDAR\r\n");
        return text;
    };
    take(part(others, 0, others.size()));
    for (std::size_t from = 0; from < todos.size(); from += kTodosPerPart)
        take(part(todos, from, std::min(todos.size(), from + kTodosPerPart)));
}

std::vector<Calendar> Split(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") // a UTF-8 byte-order mark, as libical allows
        text.remove_prefix(3);
    return Splitter(text).Run();
}

} // namespace calendarparts
