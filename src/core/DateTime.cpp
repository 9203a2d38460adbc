#include "DateTime.h"

#include "platform/Clock.h"
#include "platform/LocaleFormat.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

namespace {

// Proleptic Gregorian day numbers counted from 1970-01-01 (H. Hinnant's civil calendar algorithms).
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Day 0 of the OLE Automation count, as a day number from 1970; constant so that dates built
// during static initialisation are right too.
constexpr std::int64_t kOleEpoch = daysFromCivil(1899, 12, 30);

bool partsValid(int year, int month, int day, int hour, int minute, int second) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month) &&
           hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

std::tm toTm(const CalendarRecord& r, int dayOfYear) {
    std::tm t{};
    t.tm_year = r.year - 1900;
    t.tm_mon = r.month - 1;
    t.tm_mday = r.day;
    t.tm_hour = r.hour;
    t.tm_min = r.minute;
    t.tm_sec = r.second;
    t.tm_wday = r.dayOfWeek;
    t.tm_yday = dayOfYear - 1;
    t.tm_isdst = -1;
    return t;
}

constexpr std::int64_t kSecondsPerDay = 86400;

// The zone's offset from UTC at a moment. localtime_r answers from the moment alone; mktime, asked
// for a local time with the daylight flag -1, answers from a guess its earlier calls left behind.
bool utcOffsetAt(std::int64_t moment, long& offset) {
    const auto t = static_cast<std::time_t>(moment);
    std::tm parts{};
    if (!localtime_r(&t, &parts))
        return false;
    offset = parts.tm_gmtoff;
    return true;
}

// The moments a local time (counted in seconds as if it were UTC) stands for: one as a rule, two
// in an hour the clocks repeat. In an hour they skip there is none; both fields then hold the
// moment the clock would have shown had it not jumped, as the offset before the change gives it.
struct LocalMoments {
    int count = 0;
    std::int64_t earlier = -1;
    std::int64_t later = -1;
};

LocalMoments momentsOfLocalTime(std::int64_t local) {
    // A zone changes its offset a few times a year at most, so the offsets a day either side are
    // the only ones a local time of this day can have been read with.
    long before = 0, after = 0;
    if (!utcOffsetAt(local - kSecondsPerDay, before) || !utcOffsetAt(local + kSecondsPerDay, after))
        return {};
    const auto standsFor = [local](std::int64_t moment) {
        long offset = 0;
        return utcOffsetAt(moment, offset) && moment + offset == local;
    };
    const std::int64_t first = local - before, second = local - after;
    const bool firstFits = standsFor(first), secondFits = first != second && standsFor(second);
    if (firstFits && secondFits)
        return {2, std::min(first, second), std::max(first, second)};
    if (secondFits)
        return {1, second, second};
    return {firstFits ? 1 : 0, first, first};
}

} // namespace

DateTimeSpan::DateTimeSpan(int days, int hours, int minutes, int seconds) {
    double sum = seconds * 1.1574074074074073e-05;
    sum += minutes * 0.0006944444444444445;
    sum += hours * 0.041666666666666664;
    sum += days;
    m_days = sum;
}

int DateTimeSpan::Minutes() const {
    const double hours = m_days * 24.0;
    double whole = 0;
    const double fraction = std::modf(hours, &whole);
    return static_cast<int>(fraction * 60.0);
}

DateTime::DateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

DateTime::DateTime(const CalendarRecord& r) {
    SetDateTime(r.year, r.month, r.day, r.hour, r.minute, r.second);
}

DateTime DateTime::FromDouble(double value) {
    return DateTime(value);
}

DateTime DateTime::Now() {
    const platform::LocalTime now = platform::Clock::localNow();
    return DateTime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

DateTime DateTime::Today() {
    const DateTime now = Now();
    return DateTime(now.Year(), now.Month(), now.Day(), 0, 0, 0);
}

DateTime DateTime::FromSeconds(std::int64_t seconds) {
    if (seconds == -1)
        return DateTime();
    const auto t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (!localtime_r(&t, &parts))
        return DateTime();
    DateTime value(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    // Only right after the clocks went back can an earlier moment show the same local time.
    long dayBefore = 0;
    if (value.IsValid() && utcOffsetAt(seconds - kSecondsPerDay, dayBefore) && dayBefore > parts.tm_gmtoff) {
        const LocalMoments moments = momentsOfLocalTime(seconds + parts.tm_gmtoff);
        value.m_laterMoment = moments.count == 2 && moments.later == seconds;
    }
    return value;
}

bool DateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    m_laterMoment = false;
    if (!partsValid(year, month, day, hour, minute, second)) {
        m_value = InvalidValue;
        return false;
    }
    const double days =
        static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kOleEpoch);
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    m_value = days >= 0 ? days + fraction : days - fraction;
    return IsValid();
}

bool DateTime::Split(CalendarRecord& out, int* dayOfYear) const {
    out = CalendarRecord{};
    if (!IsValid())
        return false;
    // The calendar day is the whole part toward zero; the fraction always counts forward.
    const double whole = m_value >= 0 ? std::floor(m_value) : std::ceil(m_value);
    double seconds = std::round(std::fabs(m_value - whole) * 86400.0);
    auto day = static_cast<std::int64_t>(whole);
    if (seconds >= 86400.0) {
        seconds -= 86400.0;
        day += 1;
    }
    civilFromDays(day + kOleEpoch, out.year, out.month, out.day);
    auto secs = static_cast<int>(seconds);
    out.hour = secs / 3600;
    out.minute = secs / 60 % 60;
    out.second = secs % 60;
    const std::int64_t fromEpoch = day + kOleEpoch; // days since 1970-01-01, a Thursday
    out.dayOfWeek = static_cast<int>(((fromEpoch % 7) + 11) % 7);
    if (dayOfYear)
        *dayOfYear = static_cast<int>(fromEpoch - daysFromCivil(out.year, 1, 1)) + 1;
    return true;
}

int DateTime::Year() const {
    CalendarRecord r;
    return Split(r) ? r.year : Error;
}
int DateTime::Month() const {
    CalendarRecord r;
    return Split(r) ? r.month : Error;
}
int DateTime::Day() const {
    CalendarRecord r;
    return Split(r) ? r.day : Error;
}
int DateTime::Hour() const {
    CalendarRecord r;
    return Split(r) ? r.hour : Error;
}
int DateTime::Minute() const {
    CalendarRecord r;
    return Split(r) ? r.minute : Error;
}
int DateTime::Second() const {
    CalendarRecord r;
    return Split(r) ? r.second : Error;
}
int DateTime::DayOfWeek() const {
    CalendarRecord r;
    return Split(r) ? r.dayOfWeek + 1 : Error;
}
int DateTime::DayOfYear() const {
    CalendarRecord r;
    int doy = 0;
    return Split(r, &doy) ? doy : Error;
}

CalendarRecord DateTime::ToCalendarRecord() const {
    CalendarRecord r;
    Split(r);
    return r;
}

DateTime DateTime::Date() const {
    CalendarRecord r;
    if (!Split(r))
        return DateTime();
    return DateTime(r.year, r.month, r.day, 0, 0, 0);
}

std::int64_t DateTime::ToSeconds() const {
    CalendarRecord r;
    if (!Split(r))
        return -1;
    const std::int64_t local =
        daysFromCivil(r.year, static_cast<unsigned>(r.month), static_cast<unsigned>(r.day)) * kSecondsPerDay +
        r.hour * 3600 + r.minute * 60 + r.second;
    const LocalMoments moments = momentsOfLocalTime(local);
    return m_laterMoment && moments.count == 2 ? moments.later : moments.earlier;
}

std::int32_t DateTime::ToSeconds32() const {
    const std::int64_t seconds = ToSeconds();
    if (seconds < 0 || seconds > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(seconds);
}

std::string DateTime::Format(const char* picture) const {
    CalendarRecord r;
    int doy = 0;
    if (!Split(r, &doy))
        return {};
    // The parts come from calendar arithmetic: normalising through mktime could move a time that
    // falls into a daylight-saving gap. The pictures are fixed ("%I:%M %p" always says AM or PM),
    // so they are formatted in the classic locale, not the one the desktop session set.
    std::tm t = toTm(r, doy);
    t.tm_isdst = 0;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::put_time(&t, picture);
    std::string text = out.str();
    if (text.size() > 4095)
        text.resize(4095);
    return text;
}

std::string DateTime::FormatDate(DateFormat format) const {
    CalendarRecord r;
    if (!Split(r))
        return {};
    return platform::formatDate(r.year, r.month, r.day,
                                format == DateFormat::Long ? platform::DateStyle::Long : platform::DateStyle::Short);
}

std::string DateTime::FormatTime(TimeFormat format) const {
    CalendarRecord r;
    if (!Split(r))
        return {};
    return platform::formatTime(r.hour, r.minute, r.second,
                                format == TimeFormat::HmmT ? platform::TimeStyle::HmmT
                                                           : platform::TimeStyle::NoSeconds);
}

double DateTime::Continuous(double stored) {
    if (stored >= 0)
        return stored;
    const double k = std::ceil(stored);
    return k - (stored - k);
}

double DateTime::FromContinuous(double continuous) {
    if (continuous >= 0)
        return continuous;
    const double f = std::floor(continuous);
    return f + (f - continuous);
}

bool DateTime::operator<(const DateTime& other) const {
    return Continuous(m_value) < Continuous(other.m_value);
}
bool DateTime::operator>(const DateTime& other) const {
    return Continuous(m_value) > Continuous(other.m_value);
}
bool DateTime::operator<=(const DateTime& other) const {
    return Continuous(m_value) <= Continuous(other.m_value);
}
bool DateTime::operator>=(const DateTime& other) const {
    return Continuous(m_value) >= Continuous(other.m_value);
}

DateTime DateTime::operator+(const DateTimeSpan& span) const {
    if (!IsValid() || !span.IsValid())
        return DateTime();
    return DateTime(FromContinuous(Continuous(m_value) + span.Days()));
}

DateTime DateTime::operator-(const DateTimeSpan& span) const {
    if (!IsValid() || !span.IsValid())
        return DateTime();
    return DateTime(FromContinuous(Continuous(m_value) - span.Days()));
}

DateTimeSpan DateTime::operator-(const DateTime& other) const {
    if (!IsValid() || !other.IsValid())
        return DateTimeSpan::Invalid();
    return DateTimeSpan(Continuous(m_value) - Continuous(other.m_value));
}
