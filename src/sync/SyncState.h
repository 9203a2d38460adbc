#pragma once

#include "exchange/RecordUid.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <vector>

namespace davsync {

// A record's tie to its object on the server as of the last synchronisation.
struct RecordLink {
    recorduid::Kind kind = recorduid::Kind::Person;
    int id = 0;             // the record in the document; 0: an object this program leaves on the server
    QString href;           // the object's path on the server
    QByteArray etag;        // empty: the object is gone from the server and is to be created again
    QString uid;            // the object's UID, kept when the record changes
    QByteArray hash;        // ContentHash of the record as last synchronised
    QByteArray fingerprint; // recordtext::Fingerprint of the record then; empty: not known
};

// One collection as last synchronised, and the token that lists what changed there since.
struct CollectionState {
    QUrl url;
    QString token;
};

// What is remembered between synchronisations of one document with one account. It lives beside
// the document, never in it, so the document's file stays exactly as it is.
struct SyncState {
    CollectionState contacts, events, todos;
    std::vector<RecordLink> links;

    // The state file of a document and an account, in the user's data folder.
    static QString PathFor(const QString& documentPath, const QUrl& server, const QString& user);
    // Nothing when there is no file or it cannot be read: the caller then compares everything.
    static bool Load(const QString& path, SyncState& state, QString* problem = nullptr);
    bool Save(const QString& path) const;
};

} // namespace davsync
