#pragma once

#include "SyncAccount.h"

namespace davsync {

struct Discovery {
    QString error;
    QList<DavCollection> calendars;
    QList<DavCollection> addressBooks;
    QUrl calendarHome, addressBookHome; // where new collections go
    bool Succeeded() const { return error.isEmpty(); }
};

// Finds the principal and its homes and lists their collections. Blocking; call it off the GUI thread.
Discovery Discover(const SyncAccount& account);

class DavClient;
// The same through a client the caller holds (its cancel flag, its connections).
Discovery Discover(DavClient& client, const SyncAccount& account);
// Where this program makes its calendar or address book: tavoro-calendar/ or tavoro-contacts/ in
// the home.
QUrl OwnCollection(const Discovery& discovery, bool contacts);
// Creates a calendar for events and to-dos, or an address book, named "Tavoro!" in its home;
// the new collection's address, or empty with `error` set.
QUrl CreateCollection(DavClient& client, const Discovery& discovery, bool contacts, QString& error);

} // namespace davsync
