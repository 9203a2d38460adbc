#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace davsync {

// Where and as whom to synchronise; the password is held in memory only.
struct SyncAccount {
    QUrl server; // as the user typed it, e.g. http://localhost:5232/ or https://dav.example.org/
    QString user;
    QString password;   // never written to a settings or state file
    QUrl addressBook;   // empty: the first address book found (created as "Tavoro!" when there is none)
    QUrl eventCalendar; // empty: the first calendar that holds events (created as "Tavoro!" when none)
    QUrl todoCalendar;  // empty: the first calendar that holds to-dos (may be the same)
    int timeoutSeconds = 30;
};

// A calendar or address book on the server.
struct DavCollection {
    QUrl url;
    QString displayName;
    bool events = false;
    bool todos = false;
    bool contacts = false;
};

} // namespace davsync
