#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

// The computer's zone for one case; the one the tests run in comes back afterwards.
class ZoneScope {
public:
    explicit ZoneScope(const QByteArray& zone) : m_saved(qgetenv("TZ")) { set(zone); }
    ~ZoneScope() { set(m_saved); }
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;

private:
    static void set(const QByteArray& zone) {
        qputenv("TZ", zone);
        tzset();
    }
    QByteArray m_saved;
};
