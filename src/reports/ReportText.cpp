#include "reports/ReportText.h"

#include "platform/TextCodec.h"

#include <QLocale>
#include <QTime>

#include <array>

namespace ReportText {

QString PriorityWord(int priority) {
    static const std::array<const char*, 4> words = {"High", "Medium", "Low", "Done"};
    if (priority < 0 || priority >= static_cast<int>(words.size()))
        return QString();
    return QString::fromLatin1(words[static_cast<std::size_t>(priority)]);
}

QString Time(const DateTime& time) {
    if (!time.IsValid())
        return QString();
    // What the locale's clock looks like, read once for each locale (a report formats thousands).
    struct Clock {
        QString locale;
        bool twelveHour = false;
        QString am;
        QString pm;
    };
    static thread_local Clock clock;
    const QLocale locale;
    if (clock.locale != locale.name()) {
        clock.locale = locale.name();
        clock.twelveHour = locale.timeFormat(QLocale::ShortFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive);
        clock.am = locale.amText();
        clock.pm = locale.pmText();
    }
    const int hour = time.Hour();
    const QString minutes = QStringLiteral("%1").arg(time.Minute(), 2, 10, QLatin1Char('0'));
    // A locale whose clock has no AM and PM gets the 24-hour time.
    if (!clock.twelveHour)
        return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minutes);
    const QString& marker = hour < 12 ? clock.am : clock.pm;
    return QStringLiteral("%1:%2 %3").arg(hour % 12 == 0 ? 12 : hour % 12).arg(minutes, marker);
}

QString LongDate(const DateTime& date) {
    return Text(date.FormatDate(DateTime::DateFormat::Long));
}

QString ShortDate(const DateTime& date) {
    return Text(date.FormatDate(DateTime::DateFormat::Short));
}

QString Text(const std::string& bytes) {
    return platform::toQString(bytes);
}

} // namespace ReportText
