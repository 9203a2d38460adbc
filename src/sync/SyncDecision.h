#pragma once

#include "RecordText.h"
#include "ServerListing.h"
#include "SyncState.h"

#include "core/PimRecords.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

// What a synchronisation does, decided from what is known, without the network or the document:
// the records here with their links, and what the server listed and sent.
namespace davsync {

// One collection as the server listed it this time, with the texts of the objects that came down.
struct CollectionListing {
    std::vector<RecordKind> kinds;     // what this program keeps in it
    bool complete = false;             // every member is listed, so a linked object not listed is gone
    std::vector<ListedObject> objects; // members new or changed since the token, and those gone
    struct Copy {
        QString href;
        QByteArray etag;
        recordtext::ServerObject object;
    };
    std::vector<Copy> copies; // the objects read, listed as new or changed
};

struct SyncInput {
    const PimRecords* local = nullptr;
    const LinkTable* links = nullptr;
    // What the server said; none: nothing was asked (the upload step decides the local side only).
    std::vector<CollectionListing> listings;
    // The UIDs this document's records go up with are made from its identity; a document that
    // has none yet may find its records under UIDs made from its file name by an earlier version.
    QString identity;
    QString legacyKey;
};

struct SyncAction {
    enum class Type {
        Link,          // the record and the object agree: tied together (again)
        Download,      // the server's version replaces the record `id`, or becomes a new one (id 0)
        Conflict,      // changed on both sides: the server's version replaces it, ours is kept as new
        RemoveHere,    // gone from the server, unchanged here
        KeepHere,      // gone from the server but changed here: created there again
        Update,        // changed here only: the server's copy is patched
        Create,        // new here (or to be made again): the object is created
        RemoveThere,   // deleted here, unchanged on the server
        Forget,        // gone on both sides: the link goes
        LeaveOnServer, // an object this program cannot hold (tied to a record when `id` > 0)
    };
    Type type = Type::Link;
    RecordKind kind = RecordKind::Person;
    int id = 0;
    QString href;    // Create: empty for a new object (its name comes from the UID)
    QByteArray etag; // the server object's: the new link's, or the If-Match of a write
    QString uid;
    QByteArray hash; // the record's LocalHash as decided: applied only while it still holds
    QByteArray fingerprint;
    std::shared_ptr<const recordtext::ServerObject> server; // Link, Download, Conflict, LeaveOnServer
    QString name, reason;
};

// The decision table. Pure: the same input gives the same actions.
std::vector<SyncAction> Decide(const SyncInput& input);

// "download person 3 /c/eva.vcf": an action in words, for tests and for the report's lines.
QString Describe(const SyncAction& action);

// The UID a record of this document goes up with.
QString OwnUid(const QString& identity, RecordKind kind, int id);

// How many records each kind would lose on each side, against how many were linked.
struct DeletionCount {
    RecordKind kind = RecordKind::Person;
    int here = 0, there = 0, linked = 0;
};
std::vector<DeletionCount> CountDeletions(const std::vector<SyncAction>& actions, const LinkTable& links);
// More than 10 and more than a tenth of the kind's linked records: too many to do unasked.
bool NeedsConsent(int deletions, int linked);

} // namespace davsync
