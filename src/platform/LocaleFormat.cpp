#include "LocaleFormat.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

namespace platform {

namespace {
std::string utf8(const QString& s) {
    return s.toStdString();
}

QString trimmedText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}
} // namespace

std::string formatDate(int year, int month, int day, DateStyle style) {
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    return utf8(QLocale().toString(date, style == DateStyle::Long ? QLocale::LongFormat : QLocale::ShortFormat));
}

std::string formatTime(int hour, int minute, int second, TimeStyle style) {
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return {};
    if (style == TimeStyle::HmmT) {
        const int h12 = hour % 12 == 0 ? 12 : hour % 12;
        return std::to_string(h12) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute) + (hour < 12 ? " A" : " P");
    }
    // The locale's short time format is its time without seconds.
    return utf8(QLocale().toString(time, QLocale::ShortFormat));
}

bool parseDate(std::string_view text, ParsedDate& out) {
    const QString s = trimmedText(text);
    if (s.isEmpty())
        return false;
    QDate date = QDate::fromString(s, Qt::ISODate);
    if (!date.isValid()) {
        const QLocale locale;
        QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
        // Short dates with a two-digit year also read four digits, and the other way round.
        QString otherYear = shortFormat;
        if (otherYear.contains(QLatin1String("yyyy")))
            otherYear.replace(QLatin1String("yyyy"), QLatin1String("yy"));
        else
            otherYear.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        const QStringList formats = {shortFormat, otherYear, locale.dateFormat(QLocale::LongFormat),
                                     locale.dateFormat(QLocale::NarrowFormat)};
        for (const QString& format : formats) {
            date = locale.toDate(s, format);
            if (!date.isValid())
                continue;
            // Two-digit years fall into 1930-2029.
            if (!format.contains(QLatin1String("yyyy")) && date.year() < 1930)
                date = date.addYears(100);
            break;
        }
    }
    if (!date.isValid())
        return false;
    out = {date.year(), date.month(), date.day()};
    return true;
}

bool parseTime(std::string_view text, ParsedTime& out) {
    const QString s = trimmedText(text);
    if (s.isEmpty())
        return false;
    const QLocale locale;
    QTime time = locale.toTime(s, QLocale::ShortFormat);
    if (!time.isValid())
        time = locale.toTime(s, QLocale::LongFormat);
    if (!time.isValid()) {
        static const QStringList formats = {
            QStringLiteral("H:mm"),       QStringLiteral("H:mm:ss"),    QStringLiteral("h:mm AP"),
            QStringLiteral("h:mm:ss AP"), QStringLiteral("h:mmAP"),     QStringLiteral("h AP"),
            QStringLiteral("hAP"),        QStringLiteral("h:mm A"),     QStringLiteral("H.mm"),
            QStringLiteral("H.mm.ss"),
        };
        QString upper = s.toUpper();
        // "9:05 A" / "9:05 P" as the printed reports write them.
        if (upper.endsWith(QLatin1Char('A')) || upper.endsWith(QLatin1Char('P')))
            upper.append(QLatin1Char('M'));
        for (const QString& f : formats) {
            time = QTime::fromString(upper, f);
            if (time.isValid())
                break;
        }
    }
    if (!time.isValid())
        return false;
    out = {time.hour(), time.minute(), time.second()};
    return true;
}

} // namespace platform
