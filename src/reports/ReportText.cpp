#include "reports/ReportText.h"

#include "platform/TextCodec.h"

#include <array>

namespace ReportText {

QString PriorityWord(int priority) {
    static const std::array<const char*, 4> words = {"High", "Medium", "Low", "Done"};
    if (priority < 0 || priority >= static_cast<int>(words.size()))
        return QString();
    return QString::fromLatin1(words[static_cast<std::size_t>(priority)]);
}

QString Time(const DateTime& time) {
    return Text(time.FormatTime(DateTime::TimeFormat::HmmT));
}

QString ShortDate(const DateTime& date) {
    return Text(date.FormatDate(DateTime::DateFormat::Short));
}

QString Text(const std::string& bytes) {
    return platform::toQString(bytes);
}

} // namespace ReportText
