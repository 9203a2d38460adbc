#pragma once

#include "SyncAccount.h"
#include "SyncReport.h"
#include "SyncSession.h"
#include "SyncState.h"

#include "core/Appointment.h"
#include "core/Person.h"
#include "core/Task.h"

#include <QHash>
#include <QSet>

#include <atomic>
#include <map>
#include <set>
#include <vector>

class PimDocument;
class PimRecords;

namespace davsync {

class DavClient;
struct DavResponse;
struct FetchedObject;
struct PendingWrite;

// What one synchronisation found, decided and carried, step by step (see SyncSession).
class SyncPlan {
public:
    SyncPlan(SyncAccount account, QString documentPath, QString statePath, const std::atomic<bool>& cancelled);

    bool Fetch(const PimRecords& snapshot, const SyncSession::Progress& progress);
    void ApplyTo(PimDocument& document);
    bool Upload(const PimRecords& snapshot, const SyncSession::Progress& progress);
    bool Finish();

    SyncReport report;

private:
    using Kind = recorduid::Kind;
    // A server object that is to replace a record (id > 0) or become a new one.
    template <class Record> struct Incoming {
        int id = 0;
        Record record;
        QByteArray expectedHash; // the record's hash when the decision was taken
        bool conflict = false;   // changed here as well: the local version is kept as a new record
        RecordLink link;
    };
    struct Removal {
        Kind kind;
        int id;
        QByteArray expectedHash;
        QString href;
    };
    // A calendar or address book and the kinds of record it holds here.
    struct Channel {
        QUrl url;
        std::vector<Kind> kinds;
    };

    bool resolveCollections(DavClient& client);
    CollectionState& collection(Kind kind);
    const QUrl& urlOf(Kind kind) const;
    bool syncChannel(DavClient& client, const Channel& channel, DavResponse answer, const PimRecords& snapshot,
                     const SyncSession::Progress& progress);
    void forgetCollection(const Channel& channel);
    void serverGone(const QString& href, const PimRecords& snapshot);
    void serverObject(const Channel& channel, const FetchedObject& fetched, const PimRecords& snapshot);
    template <class Record>
    void decide(const Record& server, Kind kind, const QString& href, const QByteArray& etag, const std::string& uid,
                const PimRecords& snapshot, std::vector<Incoming<Record>>& incoming);
    template <class Record> void apply(PimDocument& document, std::vector<Incoming<Record>>& incoming, Kind kind);
    void remove(PimDocument& document, const Removal& removal);
    template <class Record>
    void queueUploads(const PimRecords& snapshot, Kind kind, std::vector<PendingWrite>& uploads);
    void passOwnWrites(DavClient& client);
    void indexLocal(const PimRecords& snapshot);
    std::string ownUid(Kind kind, int id) const;
    int unlinkedMatch(Kind kind, const std::string& uid, const QByteArray& hash);

    SyncAccount m_account;
    QString m_statePath;
    QString m_documentKey;
    const std::atomic<bool>& m_cancelled;
    SyncState m_state;
    QHash<QString, RecordLink> m_links;               // by href
    std::map<std::pair<Kind, int>, QString> m_linkOf; // a record's href
    QHash<QUrl, QString> m_tokens;                    // to keep once what came down is applied
    bool m_resolved = false;
    bool m_fetched = false;

    // Records of the snapshot with no link: by own UID and by content, for a first or a lost state.
    std::map<std::pair<Kind, std::string>, int> m_unlinkedByUid;
    std::multimap<std::pair<Kind, QByteArray>, int> m_unlinkedByHash;
    std::set<std::pair<Kind, int>> m_matched;

    std::vector<Incoming<Person>> m_persons;
    std::vector<Incoming<Appointment>> m_appointments;
    std::vector<Incoming<Task>> m_tasks;
    std::vector<Removal> m_removals;
};

} // namespace davsync
