#include "TimeZones.h"

#include <QDateTime>
#include <QTimeZone>

#include <map>
#include <mutex>

namespace platform {

namespace {

constexpr std::int64_t kDay = 86400;

// Opening a zone reads its file; the few zones a document names are kept open.
std::optional<QTimeZone> zoneNamed(const std::string& name) {
    static std::mutex lock;
    static std::map<std::string, QTimeZone, std::less<>> zones;
    const std::lock_guard<std::mutex> guard(lock);
    auto found = zones.find(name);
    if (found == zones.end()) {
        const QByteArray id = QByteArray::fromStdString(name);
        found = zones.emplace(name, QTimeZone::isTimeZoneIdAvailable(id) ? QTimeZone(id) : QTimeZone()).first;
    }
    if (!found->second.isValid())
        return std::nullopt;
    return found->second;
}

int offsetAt(const QTimeZone& zone, std::int64_t utc) {
    return zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(utc, Qt::UTC));
}

// The wall-clock parts counted in seconds as if they were UTC.
std::optional<std::int64_t> wallSeconds(const WallClock& wall) {
    const QDate date(wall.year, wall.month, wall.day);
    const QTime time(wall.hour, wall.minute, wall.second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

} // namespace

bool IsKnownTimeZone(const std::string& zone) {
    return zoneNamed(zone).has_value();
}

std::optional<std::int64_t> ZoneToUtc(const std::string& zone, const WallClock& wall) {
    const std::optional<QTimeZone> tz = zoneNamed(zone);
    const std::optional<std::int64_t> local = wallSeconds(wall);
    if (!tz || !local)
        return std::nullopt;
    // A zone changes its offset a few times a year at most: the offsets a day either side are the
    // only ones this wall time can have been read with.
    const int before = offsetAt(*tz, *local - kDay), after = offsetAt(*tz, *local + kDay);
    const std::int64_t first = *local - before, second = *local - after;
    const auto standsFor = [&](std::int64_t moment) { return moment + offsetAt(*tz, moment) == *local; };
    const bool firstFits = standsFor(first), secondFits = first != second && standsFor(second);
    if (firstFits && secondFits)
        return std::min(first, second);
    if (secondFits)
        return second;
    return first;
}

std::optional<WallClock> ZoneFromUtc(const std::string& zone, std::int64_t utc) {
    const std::optional<QTimeZone> tz = zoneNamed(zone);
    if (!tz)
        return std::nullopt;
    const QDateTime wall = QDateTime::fromSecsSinceEpoch(utc + offsetAt(*tz, utc), Qt::UTC);
    const QDate date = wall.date();
    const QTime time = wall.time();
    return WallClock{date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

} // namespace platform
