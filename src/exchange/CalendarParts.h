#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The VCALENDARs of an iCalendar file as texts small enough to hand to libical one at a time: a
// parsed tree takes many times the size of its text, and a file of a million to-dos would stand in
// memory whole. To-dos do not depend on one another and are handed over in groups; events (a
// series and its changed occurrences belong together) and everything else stay in one text.
namespace calendarparts {

// To-dos in one text at most.
constexpr std::size_t kTodosPerPart = 500;

// One VCALENDAR, as views into the file's text (which must outlive it).
struct Calendar {
    std::vector<std::string_view> properties; // the calendar's own content lines
    std::vector<std::string_view> zones;      // each VTIMEZONE, BEGIN to END
    std::vector<std::string_view> others;     // each VEVENT and any other component
    std::vector<std::string_view> todos;      // each VTODO

    // Hands `take` a VCALENDAR with the properties, the zones and the other components, then one
    // with the properties, the zones and each group of to-dos in turn (when there are any).
    void ForEachPart(const std::function<void(const std::string&)>& take) const;
};

// The VCALENDARs of the text, in order. A component left open at the end of a calendar (or of the
// text) ends there; lines outside any VCALENDAR and a UTF-8 byte-order mark are passed over.
std::vector<Calendar> Split(std::string_view text);

} // namespace calendarparts
