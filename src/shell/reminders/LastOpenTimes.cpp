#include "LastOpenTimes.h"

#include "platform/SettingsStore.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

namespace {

const QString kGroup = QStringLiteral("LastOpen");
const QString kFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

// The path as given would change with the working folder; a hash keeps the key short and free of
// the characters a settings key cannot hold.
QString keyOf(const QString& fileName) {
    const QByteArray path = QFileInfo(fileName).absoluteFilePath().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

} // namespace

namespace LastOpenTimes {

std::optional<DateTime> Read(const QString& fileName) {
    if (fileName.isEmpty())
        return std::nullopt;
    const std::optional<QString> text = platform::SettingsStore().readText(kGroup, keyOf(fileName));
    if (!text)
        return std::nullopt;
    const QDateTime moment = QDateTime::fromString(*text, kFormat);
    if (!moment.isValid())
        return std::nullopt;
    const QDate date = moment.date();
    const QTime time = moment.time();
    const DateTime read(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    return read.IsValid() ? std::optional(read) : std::nullopt;
}

void Write(const QString& fileName, const DateTime& moment) {
    if (fileName.isEmpty() || !moment.IsValid())
        return;
    const QString text = QDateTime(QDate(moment.Year(), moment.Month(), moment.Day()),
                                   QTime(moment.Hour(), moment.Minute(), moment.Second()))
                             .toString(kFormat);
    platform::SettingsStore().writeText(kGroup, keyOf(fileName), text);
}

} // namespace LastOpenTimes
