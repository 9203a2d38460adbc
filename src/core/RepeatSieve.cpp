#include "RepeatSieve.h"

#include <libical/ical.h>

namespace {

bool isSet(const short* values) {
    return values[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// 0 = Sunday, from libical's 1 = Sunday; -1 for none.
int weekdayOf(icalrecurrencetype_weekday day) {
    return day >= ICAL_SUNDAY_WEEKDAY && day <= ICAL_SATURDAY_WEEKDAY ? static_cast<int>(day) - 1 : -1;
}

// Whole periods from the start's to the date's; negative before it.
int modulo(int value, int by) {
    const int rest = value % by;
    return rest < 0 ? rest + by : rest;
}

} // namespace

RepeatSieve::RepeatSieve(const icalrecurrencetype& rule, const CalendarRecord& start)
    : m_start(CalendarDate::FromParts(start.year, start.month, start.day)), m_startParts(start) {
    if (!m_start.IsValid())
        return;
    m_startParts.dayOfWeek = m_start.DayOfWeek() - 1;
    const bool byDay = isSet(rule.by_day);
    const bool byMonthDay = isSet(rule.by_month_day);
    const bool byMonth = isSet(rule.by_month);
    const bool byYearOrWeek = isSet(rule.by_year_day) || isSet(rule.by_week_no);
    const bool byTime = isSet(rule.by_hour) || isSet(rule.by_minute) || isSet(rule.by_second);
    const bool bySetPos = isSet(rule.by_set_pos);
    m_all = false;

    bool nthOnly = byDay;
    if (byDay) {
        m_weekdays = 0;
        for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            const int weekday = weekdayOf(icalrecurrencetype_day_day_of_week(rule.by_day[i]));
            if (weekday < 0) {
                m_weekdays = 0x7f;
                nthOnly = false;
                break;
            }
            m_weekdays |= static_cast<std::uint8_t>(1u << weekday);
            const int nth = icalrecurrencetype_day_position(rule.by_day[i]);
            if (nth == 0 || nth < -5 || nth > 5)
                nthOnly = false;
            else
                m_nthWeekdays.push_back({weekday, nth});
        }
    }
    // The nth weekday counts within the month only for a monthly rule.
    if (!nthOnly || rule.freq != ICAL_MONTHLY_RECURRENCE)
        m_nthWeekdays.clear();
    if (byMonthDay) {
        m_anyMonthDay = false;
        for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE && rule.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            const int day = rule.by_month_day[i];
            if (day >= 1 && day <= 31)
                m_monthDays |= 1u << (day - 1);
            else if (day <= -1 && day >= -31)
                m_monthDaysFromEnd |= 1u << (-day - 1);
        }
    }
    bool leapMonths = false;
    if (byMonth) {
        m_months = 0;
        for (int i = 0; i < ICAL_BY_MONTH_SIZE && rule.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            const int month = icalrecurrencetype_month_month(rule.by_month[i]);
            leapMonths = leapMonths || icalrecurrencetype_month_is_leap(rule.by_month[i]);
            if (month >= 1 && month <= 12)
                m_months |= static_cast<std::uint16_t>(1u << (month - 1));
        }
        if (leapMonths)
            m_months = 0xfff;
    }

    // What a rule without day parts takes from its start.
    const bool dayParts = byDay || byMonthDay || byYearOrWeek;
    if (!dayParts) {
        if (rule.freq == ICAL_WEEKLY_RECURRENCE) {
            m_weekdays = static_cast<std::uint8_t>(1u << m_startParts.dayOfWeek);
        } else if (rule.freq == ICAL_MONTHLY_RECURRENCE || (rule.freq == ICAL_YEARLY_RECURRENCE && !byMonth)) {
            m_anyMonthDay = false;
            m_monthDays = 1u << (start.day - 1);
            if (rule.freq == ICAL_YEARLY_RECURRENCE)
                m_months = static_cast<std::uint16_t>(1u << (start.month - 1));
        }
    }

    m_interval = rule.interval > 1 ? rule.interval : 1;
    m_weekStart = weekdayOf(rule.week_start) >= 0 ? weekdayOf(rule.week_start) : 1;
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        m_period = Period::Days;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        m_period = Period::Weeks;
        break;
    case ICAL_MONTHLY_RECURRENCE:
        m_period = Period::Months;
        break;
    case ICAL_YEARLY_RECURRENCE:
        m_period = Period::Years;
        break;
    default:
        m_all = true;
        return;
    }

    const bool plain = !byMonth && !byYearOrWeek && !byTime && !bySetPos && !leapMonths;
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        m_exact = plain && !byDay && !byMonthDay;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        m_exact = plain && !byMonthDay && m_nthWeekdays.empty() && m_interval == 1;
        break;
    case ICAL_MONTHLY_RECURRENCE:
        m_exact = plain && (!byDay || (!byMonthDay && !m_nthWeekdays.empty()));
        break;
    case ICAL_YEARLY_RECURRENCE:
        m_exact = plain && !byDay && !byMonthDay;
        break;
    default:
        break;
    }
}

void RepeatSieve::StepDay(CalendarRecord& parts) {
    parts.dayOfWeek = (parts.dayOfWeek + 1) % 7;
    if (++parts.day <= daysInMonth(parts.year, parts.month))
        return;
    parts.day = 1;
    if (++parts.month <= 12)
        return;
    parts.month = 1;
    ++parts.year;
}

bool RepeatSieve::Passes(CalendarDate date, const CalendarRecord& d) const {
    if (m_all)
        return true;
    if (!date.IsValid() || date < m_start)
        return false;
    if (date == m_start)
        return true;
    if (!(m_weekdays & (1u << d.dayOfWeek)) || !(m_months & (1u << (d.month - 1))))
        return false;
    const int length = daysInMonth(d.year, d.month);
    if (!m_anyMonthDay && !(m_monthDays & (1u << (d.day - 1))) && !(m_monthDaysFromEnd & (1u << (length - d.day))))
        return false;
    if (!m_nthWeekdays.empty()) {
        bool found = false;
        for (const NthWeekday& n : m_nthWeekdays)
            found = found || (n.weekday == d.dayOfWeek &&
                              (n.nth > 0 ? (d.day - 1) / 7 + 1 == n.nth : (length - d.day) / 7 + 1 == -n.nth));
        if (!found)
            return false;
    }
    if (m_interval == 1)
        return true;
    switch (m_period) {
    case Period::Days:
        return modulo(date - m_start, m_interval) == 0;
    case Period::Weeks: {
        const CalendarDate week = date - modulo(d.dayOfWeek - m_weekStart, 7);
        const CalendarDate startWeek = m_start - modulo(m_startParts.dayOfWeek - m_weekStart, 7);
        return modulo((week - startWeek) / 7, m_interval) == 0;
    }
    case Period::Months:
        return modulo((d.year * 12 + d.month) - (m_startParts.year * 12 + m_startParts.month), m_interval) == 0;
    case Period::Years:
        return modulo(d.year - m_startParts.year, m_interval) == 0;
    case Period::None:
        break;
    }
    return true;
}
