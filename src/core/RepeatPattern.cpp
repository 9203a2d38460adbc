#include "RepeatPattern.h"

#include "DateTime.h"
#include "RecurrenceParts.h"
#include "RepeatRule.h"
#include "platform/TimeZones.h"

#include <libical/ical.h>

#include <cstdio>
#include <ctime>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kDayCodes[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
// The order weekdays are written in a rule: Monday first, as RFC 5545's default week starts.
constexpr int kRuleDayOrder[] = {2, 3, 4, 5, 6, 7, 1};

bool parseRule(std::string_view text, icalrecurrencetype& rule) {
    const std::string terminated(text);
    icalerror_clear_errno();
    rule = icalrecurrencetype_from_string(terminated.c_str());
    const bool read = icalerrno == ICAL_NO_ERROR && rule.freq >= ICAL_DAILY_RECURRENCE &&
                      rule.freq <= ICAL_YEARLY_RECURRENCE && !rule.rscale;
    if (rule.rscale) {
        icalmemory_free_buffer(rule.rscale);
        rule.rscale = nullptr;
    }
    icalerror_clear_errno();
    return read;
}

// The rule's parts but those named, in their order.
std::vector<std::string> partsWithout(std::string_view rule, std::initializer_list<std::string_view> names) {
    std::vector<std::string> kept;
    std::istringstream stream{std::string(rule)};
    std::string part;
    while (std::getline(stream, part, ';')) {
        if (part.empty())
            continue;
        const std::string name = part.substr(0, part.find('='));
        bool dropped = false;
        for (std::string_view n : names)
            dropped = dropped || name == n;
        if (!dropped)
            kept.push_back(part);
    }
    return kept;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty())
            text += ';';
        text += part;
    }
    return text;
}

int lastDayOfMonth(CalendarDate date) {
    const CalendarDate nextMonth = date.Month() == 12 ? CalendarDate::FromParts(date.Year() + 1, 1, 1)
                                                      : CalendarDate::FromParts(date.Year(), date.Month() + 1, 1);
    return (nextMonth - 1).Day();
}

} // namespace

int RepeatPattern::WeekOfMonth(CalendarDate start) {
    const int week = (start.Day() - 1) / 7 + 1;
    return week == 5 ? -1 : week;
}

RepeatPattern RepeatPattern::FromRule(std::string_view text, CalendarDate start, bool allDay, const std::string& zone) {
    RepeatPattern pattern;
    icalrecurrencetype rule;
    if (text.empty() || !start.IsValid() || !parseRule(text, rule)) {
        pattern.fits = text.empty();
        return pattern;
    }
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        pattern.frequency = Frequency::Daily;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        pattern.frequency = Frequency::Weekly;
        break;
    case ICAL_MONTHLY_RECURRENCE:
        pattern.frequency = Frequency::Monthly;
        break;
    default:
        pattern.frequency = Frequency::Yearly;
        break;
    }
    pattern.interval = rule.interval > 0 ? rule.interval : 1;
    if (rule.count > 0) {
        pattern.ending = Ending::AfterCount;
        pattern.count = rule.count;
    } else if (!icaltime_is_null_time(rule.until)) {
        pattern.ending = Ending::OnDate;
        const CalendarRecord wall{start.Year(), start.Month(), start.Day(), 0, 0, 0, 0, 0};
        pattern.until = RepeatRule(std::string(text), wall, allDay, zone).LastDate();
    }
    bool fits = !recurrenceparts::Present(rule.by_second) && !recurrenceparts::Present(rule.by_minute) &&
                !recurrenceparts::Present(rule.by_hour) && !recurrenceparts::Present(rule.by_year_day) &&
                !recurrenceparts::Present(rule.by_week_no) && !recurrenceparts::Present(rule.by_set_pos);
    const int days = recurrenceparts::CountOf(rule.by_day, ICAL_BY_DAY_SIZE);
    const int monthDays = recurrenceparts::CountOf(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const int months = recurrenceparts::CountOf(rule.by_month, ICAL_BY_MONTH_SIZE);
    switch (pattern.frequency) {
    case Frequency::Daily:
        fits = fits && days == 0 && monthDays == 0 && months == 0;
        break;
    case Frequency::Weekly:
        fits = fits && monthDays == 0 && months == 0;
        for (int i = 0; i < days; ++i) {
            fits = fits && icalrecurrencetype_day_position(rule.by_day[i]) == 0;
            pattern.weekdays |= 1U << (static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[i])) - 1);
        }
        if (days == 0)
            pattern.weekdays = 1U << (start.DayOfWeek() - 1);
        break;
    case Frequency::Monthly:
        fits = fits && months == 0 && days + monthDays <= 1;
        if (monthDays == 1) {
            fits = fits && rule.by_month_day[0] == start.Day();
        } else if (days == 1) {
            const int position = icalrecurrencetype_day_position(rule.by_day[0]);
            const bool weekday =
                static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[0])) == start.DayOfWeek();
            const bool lastWeek = start.Day() + 7 > lastDayOfMonth(start);
            const bool sameWeek = position == WeekOfMonth(start) || (position == -1 && lastWeek) ||
                                  (position == 4 && start.Day() > 21 && start.Day() <= 28);
            fits = fits && weekday && sameWeek;
            pattern.monthlyBy = MonthlyBy::WeekdayOfMonth;
        }
        break;
    case Frequency::Yearly:
    case Frequency::None:
        fits = fits && days == 0 && monthDays <= 1 && months <= 1 &&
               (monthDays == 0 || rule.by_month_day[0] == start.Day()) &&
               (months == 0 || rule.by_month[0] == start.Month());
        break;
    }
    pattern.fits = fits;
    return pattern;
}

std::string RepeatPattern::ToRule(CalendarDate start, bool allDay, const std::string& zone) const {
    if (frequency == Frequency::None || !start.IsValid())
        return {};
    std::vector<std::string> parts;
    switch (frequency) {
    case Frequency::Daily:
        parts.emplace_back("FREQ=DAILY");
        break;
    case Frequency::Weekly:
        parts.emplace_back("FREQ=WEEKLY");
        break;
    case Frequency::Monthly:
        parts.emplace_back("FREQ=MONTHLY");
        break;
    default:
        parts.emplace_back("FREQ=YEARLY");
        break;
    }
    if (interval > 1)
        parts.push_back("INTERVAL=" + std::to_string(interval));
    if (frequency == Frequency::Weekly) {
        const unsigned days = weekdays != 0 ? weekdays : 1U << (start.DayOfWeek() - 1);
        std::string byDay;
        for (int day : kRuleDayOrder) {
            if (!HasWeekday(days, day))
                continue;
            byDay += byDay.empty() ? "BYDAY=" : ",";
            byDay += kDayCodes[day - 1];
        }
        parts.push_back(byDay);
    } else if (frequency == Frequency::Monthly) {
        if (monthlyBy == MonthlyBy::WeekdayOfMonth)
            parts.push_back("BYDAY=" + std::to_string(WeekOfMonth(start)) + kDayCodes[start.DayOfWeek() - 1]);
        else
            parts.push_back("BYMONTHDAY=" + std::to_string(start.Day()));
    }
    if (ending == Ending::AfterCount)
        parts.push_back("COUNT=" + std::to_string(count > 0 ? count : 1));
    else if (ending == Ending::OnDate && until.IsValid())
        parts.push_back("UNTIL=" + RepeatUntil(until < start ? start : until, allDay, zone));
    return joined(parts);
}

std::string RepeatUntil(CalendarDate last, bool allDay, const std::string& zone) {
    if (allDay)
        return last.Compact();
    std::optional<std::int64_t> utc;
    if (!zone.empty())
        utc = platform::ZoneToUtc(zone, {last.Year(), last.Month(), last.Day(), 23, 59, 59});
    if (!utc)
        utc = DateTime(last.Year(), last.Month(), last.Day(), 23, 59, 59).ToSeconds();
    const std::time_t moment = static_cast<std::time_t>(*utc);
    std::tm parts{};
    if (!gmtime_r(&moment, &parts))
        return last.Compact();
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

std::string RuleEndingOn(std::string_view rule, CalendarDate last, bool allDay, const std::string& zone) {
    std::vector<std::string> parts = partsWithout(rule, {"COUNT", "UNTIL"});
    parts.push_back("UNTIL=" + RepeatUntil(last, allDay, zone));
    return joined(parts);
}

std::string RuleCounting(std::string_view rule, int count) {
    std::vector<std::string> parts = partsWithout(rule, {"COUNT", "UNTIL"});
    parts.push_back("COUNT=" + std::to_string(count > 0 ? count : 1));
    return joined(parts);
}
