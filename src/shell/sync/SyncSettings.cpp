#include "SyncSettings.h"

#include "platform/SettingsStore.h"

#include <QHostAddress>

namespace {

const QString kGroup = QStringLiteral("Synchronization");
const QString kPlainHttpGroup = QStringLiteral("Synchronization Plain HTTP");

QUrl readUrl(const platform::SettingsStore& store, const QString& name) {
    return QUrl(store.readText(kGroup, name).value_or(QString()));
}

// Host and port, the form a server is remembered by.
QString serverName(const QUrl& server) {
    return server.host().toLower() + QLatin1Char('.') + QString::number(server.port(80));
}

} // namespace

davsync::SyncAccount SyncSettings::Account(const QString& password) const {
    davsync::SyncAccount account;
    account.server = server;
    account.user = user;
    account.password = password;
    account.addressBook = addressBook;
    account.eventCalendar = eventCalendar;
    account.todoCalendar = todoCalendar;
    return account;
}

SyncSettings SyncSettings::Read(const platform::SettingsStore& store) {
    SyncSettings settings;
    settings.server = readUrl(store, QStringLiteral("Server"));
    settings.user = store.readText(kGroup, QStringLiteral("User")).value_or(QString());
    settings.addressBook = readUrl(store, QStringLiteral("AddressBook"));
    settings.eventCalendar = readUrl(store, QStringLiteral("EventCalendar"));
    settings.todoCalendar = readUrl(store, QStringLiteral("TodoCalendar"));
    settings.syncOnOpenAndSave = store.readNumber(kGroup, QStringLiteral("SyncOnOpenAndSave")).value_or(0) != 0;
    return settings;
}

void SyncSettings::Write(platform::SettingsStore& store) const {
    store.writeText(kGroup, QStringLiteral("Server"), server.toString());
    store.writeText(kGroup, QStringLiteral("User"), user);
    store.writeText(kGroup, QStringLiteral("AddressBook"), addressBook.toString());
    store.writeText(kGroup, QStringLiteral("EventCalendar"), eventCalendar.toString());
    store.writeText(kGroup, QStringLiteral("TodoCalendar"), todoCalendar.toString());
    store.writeNumber(kGroup, QStringLiteral("SyncOnOpenAndSave"), syncOnOpenAndSave ? 1 : 0);
}

bool SyncSettings::NeedsPlainHttpConsent(const QUrl& server) {
    if (server.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0)
        return false;
    const QString host = server.host().toLower();
    return host != QLatin1String("localhost") && !QHostAddress(host).isLoopback();
}

bool SyncSettings::HasPlainHttpConsent(const platform::SettingsStore& store, const QUrl& server) {
    return store.readNumber(kPlainHttpGroup, serverName(server)).value_or(0) != 0;
}

void SyncSettings::GivePlainHttpConsent(platform::SettingsStore& store, const QUrl& server) {
    store.writeNumber(kPlainHttpGroup, serverName(server), 1);
}

QString SyncSettings::PasswordKey() const {
    return user + QLatin1Char('@') + server.toString(QUrl::RemoveUserInfo | QUrl::StripTrailingSlash);
}
