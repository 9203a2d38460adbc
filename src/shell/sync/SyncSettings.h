#pragma once

#include "sync/SyncAccount.h"

#include <QString>
#include <QUrl>

namespace platform {
class SettingsStore;
}

// The synchronisation account as the settings file keeps it, under the key "Synchronization":
// "Server", "User", "AddressBook", "EventCalendar", "TodoCalendar" (texts) and "SyncOnOpenAndSave"
// (1 or 0). The password is never among them: it lives in the desktop's secret store.
struct SyncSettings {
    QUrl server;
    QString user;
    QUrl addressBook, eventCalendar, todoCalendar; // empty: the first one the server lists
    bool syncOnOpenAndSave = false;

    bool IsComplete() const { return server.isValid() && !server.host().isEmpty(); }
    davsync::SyncAccount Account(const QString& password) const;

    static SyncSettings Read(const platform::SettingsStore& store);
    void Write(platform::SettingsStore& store) const;

    // A plain-HTTP server other than this machine is asked about once; the answer is kept per
    // server under the key "Synchronization Plain HTTP".
    static bool NeedsPlainHttpConsent(const QUrl& server);
    static bool HasPlainHttpConsent(const platform::SettingsStore& store, const QUrl& server);
    static void GivePlainHttpConsent(platform::SettingsStore& store, const QUrl& server);
    // The key the secret store files the password under: the server and the user.
    QString PasswordKey() const;
};
