#include "SettingsStore.h"

namespace platform {

SettingsStore::SettingsStore() : m_settings(QStringLiteral("Quenset"), QStringLiteral("Tavoro!")) {}

std::optional<int> SettingsStore::readNumber(const QString& group, const QString& name) const {
    const QVariant value = m_settings.value(key(group, name));
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

std::optional<QString> SettingsStore::readText(const QString& group, const QString& name) const {
    const QVariant value = m_settings.value(key(group, name));
    if (!value.isValid() || !value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

std::optional<int> SettingsStore::readNumberOrCreate(const QString& group, const QString& name, int defaultValue) {
    if (!contains(group, name)) {
        writeNumber(group, name, defaultValue);
        return std::nullopt;
    }
    return readNumber(group, name);
}

std::optional<QString> SettingsStore::readTextOrCreate(const QString& group, const QString& name,
                                                       const QString& defaultValue) {
    if (!contains(group, name)) {
        writeText(group, name, defaultValue);
        return std::nullopt;
    }
    return readText(group, name);
}

void SettingsStore::writeNumber(const QString& group, const QString& name, int value) {
    m_settings.setValue(key(group, name), value);
    flush();
}

void SettingsStore::writeText(const QString& group, const QString& name, const QString& value) {
    m_settings.setValue(key(group, name), value);
    flush();
}

void SettingsStore::remove(const QString& group, const QString& name) {
    m_settings.remove(key(group, name));
    flush();
}

bool SettingsStore::contains(const QString& group, const QString& name) const {
    return m_settings.contains(key(group, name));
}

void SettingsStore::flush() {
    m_settings.sync();
}

} // namespace platform
