#include "RepeatWords.h"

#include "Appointment.h"
#include "RecurrenceParts.h"
#include "RepeatPattern.h"
#include "platform/TimeZones.h"

#include <libical/ical.h>

#include <vector>

namespace {

constexpr const char* kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr int kWeekOrder[] = {2, 3, 4, 5, 6, 7, 1}; // Monday first

std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string ordinal(int position) {
    switch (position) {
    case 1:
        return "first";
    case 2:
        return "second";
    case 3:
        return "third";
    case 4:
        return "fourth";
    case 5:
        return "fifth";
    case -1:
        return "last";
    case -2:
        return "second to last";
    default:
        return position > 0 ? std::to_string(position) + "th" : std::to_string(-position) + "th to last";
    }
}

std::string longDate(CalendarDate date) {
    return std::to_string(date.Day()) + ' ' + kMonthNames[date.Month() - 1] + ' ' + std::to_string(date.Year());
}

// "Daily", "Every 3 days", ...
std::string every(int interval, const char* single, const char* unit) {
    if (interval <= 1)
        return single;
    return "Every " + std::to_string(interval) + ' ' + unit + 's';
}

std::vector<std::string> plainWeekdays(const icalrecurrencetype& rule, int count) {
    unsigned days = 0;
    for (int i = 0; i < count; ++i)
        days |= 1U << (static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[i])) - 1);
    std::vector<std::string> names;
    for (int day : kWeekOrder)
        if (RepeatPattern::HasWeekday(days, day))
            names.emplace_back(kDayNames[day - 1]);
    return names;
}

std::vector<std::string> placedWeekdays(const icalrecurrencetype& rule, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        const int day = static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[i]));
        const int position = icalrecurrencetype_day_position(rule.by_day[i]);
        names.push_back(position == 0 ? std::string("every ") + kDayNames[day - 1]
                                      : "the " + ordinal(position) + ' ' + kDayNames[day - 1]);
    }
    return names;
}

// "day 15", "days 1 and 15", "the last day".
std::string monthDays(const icalrecurrencetype& rule, int count) {
    if (count == 1 && rule.by_month_day[0] == -1)
        return "the last day";
    std::vector<std::string> days;
    for (int i = 0; i < count; ++i) {
        const int day = rule.by_month_day[i];
        days.push_back(day > 0 ? std::to_string(day) : "the " + ordinal(day) + " day");
    }
    return (count == 1 ? "day " : "days ") + listed(days);
}

} // namespace

std::string RepeatInWords(std::string_view text, CalendarDate start, bool allDay, const std::string& zone) {
    if (text.empty() || !start.IsValid())
        return {};
    const std::string terminated(text);
    icalerror_clear_errno();
    icalrecurrencetype rule = icalrecurrencetype_from_string(terminated.c_str());
    const bool read = icalerrno == ICAL_NO_ERROR && rule.freq >= ICAL_DAILY_RECURRENCE &&
                      rule.freq <= ICAL_YEARLY_RECURRENCE && !rule.rscale;
    if (rule.rscale)
        icalmemory_free_buffer(rule.rscale);
    icalerror_clear_errno();
    if (!read)
        return {};

    const int days = recurrenceparts::CountOf(rule.by_day, ICAL_BY_DAY_SIZE);
    const int dayNumbers = recurrenceparts::CountOf(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const int months = recurrenceparts::CountOf(rule.by_month, ICAL_BY_MONTH_SIZE);
    bool further = recurrenceparts::Present(rule.by_second) || recurrenceparts::Present(rule.by_minute) ||
                   recurrenceparts::Present(rule.by_hour) || recurrenceparts::Present(rule.by_year_day) ||
                   recurrenceparts::Present(rule.by_week_no) || recurrenceparts::Present(rule.by_set_pos);
    std::string words;
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        words = every(rule.interval, "Daily", "day");
        if (days > 0)
            words += " on " + listed(plainWeekdays(rule, days));
        further = further || dayNumbers > 0 || months > 0;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        words = every(rule.interval, "Weekly", "week");
        words +=
            " on " + (days > 0 ? listed(plainWeekdays(rule, days)) : std::string(kDayNames[start.DayOfWeek() - 1]));
        further = further || dayNumbers > 0 || months > 0;
        break;
    case ICAL_MONTHLY_RECURRENCE:
        words = every(rule.interval, "Monthly", "month");
        if (days > 0)
            words += " on " + listed(placedWeekdays(rule, days));
        else if (dayNumbers > 0)
            words += " on " + monthDays(rule, dayNumbers);
        else
            words += " on day " + std::to_string(start.Day());
        further = further || months > 0 || (days > 0 && dayNumbers > 0);
        break;
    default: {
        words = every(rule.interval, "Yearly", "year");
        const int month = months == 1 ? rule.by_month[0] : start.Month();
        if (days > 0) {
            words += " on " + listed(placedWeekdays(rule, days)) + " of " + kMonthNames[month - 1];
        } else {
            const int day = dayNumbers == 1 ? rule.by_month_day[0] : start.Day();
            words += " on " + std::to_string(day > 0 ? day : start.Day()) + ' ' + kMonthNames[month - 1];
        }
        further = further || months > 1 || dayNumbers > 1;
        break;
    }
    }
    if (further)
        words += " (with further conditions)";
    if (rule.count > 0) {
        words += rule.count == 1 ? ", once" : ", " + std::to_string(rule.count) + " times";
    } else if (!icaltime_is_null_time(rule.until)) {
        const RepeatPattern pattern = RepeatPattern::FromRule(text, start, allDay, zone);
        if (pattern.until.IsValid())
            words += ", until " + longDate(pattern.until);
    }
    return words;
}

std::string RepeatInWords(const Appointment& series) {
    if (!series.Repeats())
        return {};
    CalendarDate start = CalendarDate::OfStoredDate(series.DueDate);
    if (!series.AllDay && series.StartTime.IsValid()) {
        start = CalendarDate::Of(series.StartTime);
        if (!series.TimeZone.empty())
            if (const auto wall = platform::ZoneFromUtc(series.TimeZone, series.StartTime.ToSeconds()))
                start = CalendarDate::FromParts(wall->year, wall->month, wall->day);
    }
    std::string words = RepeatInWords(series.RRule, start, series.AllDay != 0, series.TimeZone);
    // Dates added to the rule (or standing for it) are counted, not listed: the line stays one line.
    const std::size_t added = series.RDates.size();
    if (added == 0)
        return words;
    if (series.RRule.empty())
        return "On " + std::to_string(added + 1) + " dates";
    if (words.empty())
        return words;
    return words + ", and on " + std::to_string(added) + (added == 1 ? " more date" : " more dates");
}
