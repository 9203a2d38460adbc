#include "BirthDateText.h"

#include "core/Birthdays.h"
#include "platform/LocaleFormat.h"

#include <QRegularExpression>

namespace birthdatetext {

namespace {

// The character the locale's short date puts between its numbers ('/', '.', '-').
QChar separator() {
    const QString sample = QString::fromStdString(platform::formatDate(2000, 11, 22, platform::DateStyle::Short));
    for (const QChar c : sample)
        if (!c.isDigit())
            return c;
    return QLatin1Char('/');
}

} // namespace

QString Shown(const std::string& stored) {
    const std::optional<BirthDate> date = BirthDate::Parse(stored);
    if (!date)
        return QString::fromStdString(stored);
    if (date->year != 0)
        return QString::fromStdString(
            platform::formatDate(date->year, date->month, date->day, platform::DateStyle::ShortFullYear));
    const QChar between = separator();
    const bool dayFirst = platform::dayBeforeMonth();
    const QString text = QStringLiteral("%1%2%3")
                             .arg(dayFirst ? date->day : date->month)
                             .arg(between)
                             .arg(dayFirst ? date->month : date->day);
    // "15.3." as such locales write a day and month.
    return between == QLatin1Char('.') ? text + between : text;
}

std::optional<std::string> Read(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::string();
    if (const std::optional<BirthDate> stored = BirthDate::Parse(text.toStdString()))
        return stored->Text();
    // Two numbers alone are a day and a month, in the locale's order.
    static const QRegularExpression dayAndMonth(QStringLiteral("^(\\d{1,2})\\s*[./-]\\s*(\\d{1,2})\\.?$"));
    if (const QRegularExpressionMatch match = dayAndMonth.match(text); match.hasMatch()) {
        const int first = match.captured(1).toInt(), second = match.captured(2).toInt();
        BirthDate date;
        date.month = platform::dayBeforeMonth() ? second : first;
        date.day = platform::dayBeforeMonth() ? first : second;
        if (const std::optional<BirthDate> valid = BirthDate::Parse(date.Text()))
            return valid->Text();
        return std::nullopt;
    }
    platform::ParsedDate parsed;
    if (platform::parseDate(text.toStdString(), parsed)) {
        const BirthDate date{parsed.year, parsed.month, parsed.day};
        if (const std::optional<BirthDate> valid = BirthDate::Parse(date.Text()))
            return valid->Text();
        return std::nullopt;
    }
    // A month's name and a day without a year ("March 15"): read with a leap year put after it,
    // so that 29 February reads too, and kept without one.
    for (const QString& year : {QStringLiteral(", 2000"), QStringLiteral(" 2000")}) {
        if (!platform::parseDate((text + year).toStdString(), parsed) || parsed.year != 2000)
            continue;
        const BirthDate date{0, parsed.month, parsed.day};
        if (const std::optional<BirthDate> valid = BirthDate::Parse(date.Text()))
            return valid->Text();
    }
    return std::nullopt;
}

} // namespace birthdatetext
