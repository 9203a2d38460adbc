#include "CalendarTally.h"

#include "CalendarItems.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace calendartally {

namespace {

// About the entry rather than what it holds: nothing is lost without them.
constexpr std::string_view kAboutEntry[] = {"UID", "DTSTAMP", "CREATED", "LAST-MODIFIED", "SEQUENCE", "TRANSP"};

constexpr std::string_view kEventRead[] = {
    "SUMMARY", "DTSTART", "DTEND",         "DURATION", "RRULE",
    "RDATE",   "EXDATE",  "RECURRENCE-ID", "STATUS",   calendaritems::kDoneProperty};

constexpr std::string_view kTodoRead[] = {"SUMMARY", "DUE", "DTSTART", "PRIORITY", "STATUS", "COMPLETED"};

template <std::size_t N> bool listed(const std::string_view (&names)[N], std::string_view name) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

} // namespace

void AddUnkept(icalcomponent* component, PropertyTally& tally) {
    const bool event = icalcomponent_isa(component) == ICAL_VEVENT_COMPONENT;
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
        const char* named = icalproperty_get_property_name(p);
        const std::string_view name = named ? named : "";
        if (name == "X-LIC-ERROR") // libical's mark of a line it could not read
            ++tally["(unreadable line)"];
        else if (!name.empty() && !listed(kAboutEntry, name) &&
                 !(event ? listed(kEventRead, name) : listed(kTodoRead, name)))
            ++tally[std::string(name)];
    }
    const int alarms = icalcomponent_count_components(component, ICAL_VALARM_COMPONENT);
    if (!event && alarms > 0)
        tally["VALARM"] += alarms;
    else if (event && alarms > 1)
        tally["VALARM (after the first)"] += alarms - 1;
}

} // namespace calendartally
