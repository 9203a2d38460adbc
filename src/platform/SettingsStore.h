#pragma once

#include <QSettings>
#include <QString>

#include <optional>

namespace platform {

// The program's settings: values in named groups ("Files", "Recent Document List", "Alarm") kept
// by QSettings for organization "Quenset", application "Tavoro!". Numbers are 32-bit integers,
// texts are strings. Every write reaches the file at once, so a crash loses nothing.
class SettingsStore {
public:
    SettingsStore();

    // Nothing when the value is missing or does not hold the asked type.
    std::optional<int> readNumber(const QString& group, const QString& name) const;
    std::optional<QString> readText(const QString& group, const QString& name) const;

    // Like the plain reads, but a missing value is created with the default and nothing is
    // answered, so that the next start finds it.
    std::optional<int> readNumberOrCreate(const QString& group, const QString& name, int defaultValue);
    std::optional<QString> readTextOrCreate(const QString& group, const QString& name, const QString& defaultValue);

    void writeNumber(const QString& group, const QString& name, int value);
    void writeText(const QString& group, const QString& name, const QString& value);
    void remove(const QString& group, const QString& name);
    bool contains(const QString& group, const QString& name) const;

    // Where the values live on disk (for tests and diagnostics).
    QString fileName() const { return m_settings.fileName(); }

private:
    static QString key(const QString& group, const QString& name) { return group + QLatin1Char('/') + name; }
    void flush();

    QSettings m_settings;
};

} // namespace platform
