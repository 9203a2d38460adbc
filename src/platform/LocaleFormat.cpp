#include "LocaleFormat.h"

#include "Clock.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTime>

#include <memory>

namespace platform {

namespace {

enum class FieldOrder { MonthDayYear, DayMonthYear, YearMonthDay };
enum class Marker { None, Am, Pm };

// What the formatters and readers need of the default locale, worked out once per locale: imports
// format and read hundreds of thousands of values, and the formats and marker texts would
// otherwise be looked up and parsed again for each one.
struct LocaleData {
    QLocale locale;
    QString shortDate;
    QString shortDateFullYear;
    QString longDate;
    QString shortTime;
    FieldOrder order = FieldOrder::MonthDayYear;
    std::string am; // the locale's markers in upper case, UTF-8
    std::string pm;
    QStringList dateFormats; // every format the fallback reader tries, most likely first
};

QString widenYear(QString format) {
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// Most short time formats have no seconds; the few that do (the C locale's) lose them here.
QString withoutSeconds(QString format) {
    static const QRegularExpression seconds(QStringLiteral("[:.]s{1,2}"));
    return format.remove(seconds);
}

// The order of day, month and year in a format, ignoring quoted literals.
FieldOrder fieldOrder(const QString& format) {
    qsizetype day = -1, month = -1, year = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char('d') && day < 0)
            day = i;
        else if (c == QLatin1Char('M') && month < 0)
            month = i;
        else if (c == QLatin1Char('y') && year < 0)
            year = i;
    }
    if (year >= 0 && year < month && year < day)
        return FieldOrder::YearMonthDay;
    if (day >= 0 && day < month)
        return FieldOrder::DayMonthYear;
    return FieldOrder::MonthDayYear;
}

QStringList fallbackDateFormats(const LocaleData& data) {
    // The long date also without its weekday, and both with abbreviated month names.
    static const QRegularExpression weekday(QStringLiteral("dddd[,\\x{060C}]?\\s*|[,\\x{060C}]?\\s*dddd"));
    QString noWeekday = data.longDate;
    noWeekday.remove(weekday);
    QStringList formats = {data.shortDateFullYear, data.shortDate, data.longDate, noWeekday,
                           data.locale.dateFormat(QLocale::NarrowFormat)};
    for (const QString& format : {data.longDate, noWeekday}) {
        QString abbreviated = format;
        abbreviated.replace(QLatin1String("MMMM"), QLatin1String("MMM"));
        formats.append(abbreviated);
    }
    formats.removeDuplicates();
    return formats;
}

std::unique_ptr<LocaleData> makeLocaleData(const QLocale& locale) {
    auto data = std::make_unique<LocaleData>();
    data->locale = locale;
    data->shortDate = locale.dateFormat(QLocale::ShortFormat);
    data->shortDateFullYear = widenYear(data->shortDate);
    data->longDate = locale.dateFormat(QLocale::LongFormat);
    data->shortTime = withoutSeconds(locale.timeFormat(QLocale::ShortFormat));
    data->order = fieldOrder(data->shortDate);
    data->am = locale.amText().toUpper().toStdString();
    data->pm = locale.pmText().toUpper().toStdString();
    data->dateFormats = fallbackDateFormats(*data);
    return data;
}

const LocaleData& localeData() {
    thread_local std::unique_ptr<LocaleData> cache;
    const QLocale current;
    if (!cache || cache->locale != current)
        cache = makeLocaleData(current);
    return *cache;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

void skipSpaces(std::string_view s, size_t& i) {
    while (i < s.size() && isSpace(s[i]))
        ++i;
}

// Reads up to maxDigits decimal digits at i; returns how many were read (0: none). More digits
// than allowed make the whole number unreadable.
int readNumber(std::string_view s, size_t& i, int& value, int maxDigits) {
    int digits = 0;
    value = 0;
    while (i < s.size() && isDigit(s[i])) {
        if (++digits > maxDigits)
            return 0;
        value = value * 10 + (s[i] - '0');
        ++i;
    }
    return digits;
}

bool startsWithNoCase(std::string_view s, size_t i, std::string_view prefix) {
    if (prefix.empty() || s.size() - i < prefix.size())
        return false;
    for (size_t k = 0; k < prefix.size(); ++k) {
        if (upper(s[i + k]) != prefix[k])
            return false;
    }
    return true;
}

// An AM/PM marker at i, longest form first; i moves past it.
Marker readMarker(std::string_view s, size_t& i, const LocaleData& data) {
    if (i >= s.size() || isDigit(s[i]))
        return Marker::None;
    struct Form {
        std::string_view text;
        Marker marker;
    };
    const Form forms[] = {{data.am, Marker::Am}, {data.pm, Marker::Pm}, {"A.M.", Marker::Am}, {"P.M.", Marker::Pm},
                          {"AM", Marker::Am},    {"PM", Marker::Pm},    {"A", Marker::Am},    {"P", Marker::Pm}};
    for (const Form& form : forms) {
        if (startsWithNoCase(s, i, form.text)) {
            i += form.text.size();
            return form.marker;
        }
    }
    return Marker::None;
}

int windowYear(int year, int digits) {
    // Two-digit years: 30-99 are 1930-1999, 00-29 are 2000-2029.
    if (digits <= 2)
        return year < 30 ? 2000 + year : 1900 + year;
    return year;
}

// Numbers separated by '/', '-' or '.': "5/10/2003", "10.05.03", "2003-05-10", "2003. 5. 10.", or
// day and month alone. `end` receives where the date stops.
bool readNumericDate(std::string_view s, FieldOrder order, ParsedDate& out, size_t& end) {
    int values[3] = {};
    int digits[3] = {};
    int count = 0;
    size_t i = 0;
    while (count < 3) {
        digits[count] = readNumber(s, i, values[count], 4);
        if (digits[count] == 0)
            return false;
        ++count;
        size_t j = i;
        skipSpaces(s, j);
        if (count == 3 || j >= s.size() || (s[j] != '/' && s[j] != '-' && s[j] != '.'))
            break;
        size_t k = j + 1;
        skipSpaces(s, k);
        if (k >= s.size() || !isDigit(s[k]))
            break;
        i = k;
    }
    if (count < 2)
        return false;
    end = i < s.size() && s[i] == '.' ? i + 1 : i;

    int year = 0, month = 0, day = 0;
    if (count == 2) {
        if (digits[0] > 2 || digits[1] > 2)
            return false;
        year = Clock::localNow().year;
        month = order == FieldOrder::DayMonthYear ? values[1] : values[0];
        day = order == FieldOrder::DayMonthYear ? values[0] : values[1];
    } else if (digits[0] > 2 || order == FieldOrder::YearMonthDay) {
        if (digits[1] > 2 || digits[2] > 2)
            return false;
        year = windowYear(values[0], digits[0]);
        month = values[1];
        day = values[2];
    } else {
        if (digits[1] > 2)
            return false;
        year = windowYear(values[2], digits[2]);
        month = order == FieldOrder::DayMonthYear ? values[1] : values[0];
        day = order == FieldOrder::DayMonthYear ? values[0] : values[1];
    }
    if (!QDate::isValid(year, month, day))
        return false;
    out = {year, month, day};
    return true;
}

// "14:30", "14.30.15", "2:30 PM", "2pm", "9:05 A", and the marker in front as some locales write it.
bool readNumericTime(std::string_view s, const LocaleData& data, ParsedTime& out) {
    size_t i = 0;
    Marker marker = readMarker(s, i, data);
    skipSpaces(s, i);
    int hour = 0, minute = 0, second = 0;
    if (readNumber(s, i, hour, 2) == 0)
        return false;
    bool hasMinute = false;
    auto separatorBeforeDigit = [&](size_t at) {
        return at + 1 < s.size() && (s[at] == ':' || s[at] == '.') && isDigit(s[at + 1]);
    };
    if (separatorBeforeDigit(i)) {
        ++i;
        if (readNumber(s, i, minute, 2) != 2)
            return false;
        hasMinute = true;
        if (separatorBeforeDigit(i)) {
            ++i;
            if (readNumber(s, i, second, 2) != 2)
                return false;
            if (i + 1 < s.size() && (s[i] == '.' || s[i] == ',') && isDigit(s[i + 1])) {
                for (++i; i < s.size() && isDigit(s[i]);)
                    ++i; // a fraction of a second does not count
            }
        }
    }
    skipSpaces(s, i);
    if (marker == Marker::None && i < s.size()) {
        marker = readMarker(s, i, data);
        skipSpaces(s, i);
    }
    if (i != s.size() || (!hasMinute && marker == Marker::None) || minute > 59 || second > 59)
        return false;
    if (marker == Marker::None) {
        if (hour > 23)
            return false;
    } else if (hour <= 12) {
        if (hour == 0 && marker == Marker::Pm)
            return false;
        if (hour == 12)
            hour = marker == Marker::Am ? 0 : 12;
        else if (marker == Marker::Pm)
            hour += 12;
    } else if (hour > 23 || marker == Marker::Am) {
        return false; // "14:30 PM" still means 14:30, "14:30 AM" means nothing
    }
    out = {hour, minute, second};
    return true;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

bool readLocaleDate(std::string_view text, const LocaleData& data, ParsedDate& out) {
    const QString s = toQString(text);
    for (const QString& format : data.dateFormats) {
        QDate date = data.locale.toDate(s, format);
        if (!date.isValid())
            continue;
        if (!format.contains(QLatin1String("yyyy")) && date.year() < 1930)
            date = date.addYears(100);
        out = {date.year(), date.month(), date.day()};
        return true;
    }
    const QDateTime iso = QDateTime::fromString(s, Qt::ISODate);
    if (!iso.isValid())
        return false;
    out = {iso.date().year(), iso.date().month(), iso.date().day()};
    return true;
}

bool readLocaleTime(std::string_view text, const LocaleData& data, ParsedTime& out) {
    const QString s = toQString(text);
    QTime time = data.locale.toTime(s, data.shortTime);
    if (!time.isValid())
        time = data.locale.toTime(s, QLocale::LongFormat);
    if (!time.isValid()) {
        const QDateTime iso = QDateTime::fromString(s, Qt::ISODate);
        if (iso.isValid())
            time = iso.time();
    }
    if (!time.isValid())
        return false;
    out = {time.hour(), time.minute(), time.second()};
    return true;
}

// What may follow a date: nothing, or a time after white space or ISO 8601's 'T'.
std::string_view timeAfterDate(std::string_view s, size_t end, bool& separated) {
    separated = end < s.size() && (isSpace(s[end]) || s[end] == 'T');
    return trimmed(s.substr(separated ? end + 1 : end));
}

} // namespace

std::string formatDate(int year, int month, int day, DateStyle style) {
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    const LocaleData& data = localeData();
    switch (style) {
    case DateStyle::Long:
        return data.locale.toString(date, data.longDate).toStdString();
    case DateStyle::ShortFullYear:
        return data.locale.toString(date, data.shortDateFullYear).toStdString();
    case DateStyle::Short:
        break;
    }
    return data.locale.toString(date, data.shortDate).toStdString();
}

std::string formatTime(int hour, int minute, int second, TimeStyle style) {
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return {};
    if (style == TimeStyle::HmmT) {
        const int h12 = hour % 12 == 0 ? 12 : hour % 12;
        return std::to_string(h12) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute) +
               (hour < 12 ? " A" : " P");
    }
    // The locale's short time format is its time without seconds.
    const LocaleData& data = localeData();
    return data.locale.toString(time, data.shortTime).toStdString();
}

bool parseDate(std::string_view text, ParsedDate& out) {
    const std::string_view s = trimmed(text);
    if (s.empty())
        return false;
    const LocaleData& data = localeData();
    size_t end = 0;
    ParsedDate date;
    if (readNumericDate(s, data.order, date, end)) {
        bool separated = false;
        const std::string_view rest = timeAfterDate(s, end, separated);
        ParsedTime ignored;
        if (rest.empty() || (separated && readNumericTime(rest, data, ignored))) {
            out = date;
            return true;
        }
    }
    return readLocaleDate(s, data, out);
}

bool parseTime(std::string_view text, ParsedTime& out) {
    const std::string_view s = trimmed(text);
    if (s.empty())
        return false;
    const LocaleData& data = localeData();
    if (readNumericTime(s, data, out))
        return true;
    size_t end = 0;
    ParsedDate date;
    if (readNumericDate(s, data.order, date, end)) {
        bool separated = false;
        const std::string_view rest = timeAfterDate(s, end, separated);
        if (separated && readNumericTime(rest, data, out))
            return true;
    }
    return readLocaleTime(s, data, out);
}

bool dayBeforeMonth() {
    return fieldOrder(QLocale().dateFormat(QLocale::ShortFormat)) == FieldOrder::DayMonthYear;
}

} // namespace platform
