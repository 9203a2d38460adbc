#pragma once

#include "core/RecordKind.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>

#include <map>
#include <vector>

namespace davsync {

// A record's tie to its object on the server as of the last synchronisation.
struct RecordLink {
    RecordKind kind = RecordKind::Person;
    int id = 0;             // the record in the document; 0: an object this program leaves on the server
    QString href;           // the object's path on the server
    QByteArray etag;        // empty: the object is gone from the server and is to be created again
    QString uid;            // the object's UID, kept when the record changes
    QByteArray hash;        // recordtext::LocalHash of the record as last synchronised
    QByteArray fingerprint; // recordtext::Fingerprint of the record then; empty: not known
    QString name, reason;   // of an object left on the server, for every report
};
using LinkTable = QHash<QString, RecordLink>; // by href

// One collection as last synchronised, and the token that lists what changed there since.
struct CollectionState {
    QUrl url;
    QString token;
};

// What is remembered between synchronisations of one document with one account. It lives beside
// the document, in the user's data folder; the document holds only its identity, which the state
// must name for its links to count.
struct SyncState {
    QString identity; // the document's (PimRecords::Identity) when the state was written
    // The document's LastID of each kind then: a document that issued fewer IDs since is an older
    // copy (a backup put back), whose missing records were never deleted here.
    std::map<RecordKind, int> lastIds;
    CollectionState contacts, events, todos;
    std::vector<RecordLink> links;

    CollectionState& Collection(RecordKind kind);
    const CollectionState& Collection(RecordKind kind) const;
    int LastId(RecordKind kind) const;

    // The state file of a document and an account, in the user's data folder.
    static QString PathFor(const QString& documentPath, const QUrl& server, const QString& user);
    // Nothing when there is no file or it cannot be read: the caller then compares everything.
    static bool Load(const QString& path, SyncState& state, QString* problem = nullptr);
    bool Save(const QString& path) const;
};

} // namespace davsync
