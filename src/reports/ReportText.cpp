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
    const QLocale locale;
    const int hour = time.Hour();
    // A locale whose clock has no AM and PM gets the 24-hour time.
    if (!locale.timeFormat(QLocale::ShortFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive))
        return locale.toString(QTime(hour, time.Minute()), QStringLiteral("HH:mm"));
    const QString minutes = QStringLiteral("%1").arg(time.Minute(), 2, 10, QLatin1Char('0'));
    const QString marker = hour < 12 ? locale.amText() : locale.pmText();
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
