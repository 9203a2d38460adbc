#pragma once

#include "SyncAccount.h"
#include "SyncDecision.h"
#include "SyncReport.h"
#include "SyncSession.h"
#include "SyncState.h"

#include <QHash>

#include <atomic>
#include <map>
#include <vector>

class PimDocument;
class PimRecords;

namespace davsync {

class DavClient;
struct DavResponse;

// One synchronisation step by step (see SyncSession): the requests, the decision taken by
// Decide, and the changes to the document and the server that carry it out.
class SyncPlan {
public:
    SyncPlan(SyncAccount account, QString documentPath, QString statePath, const std::atomic<bool>& cancelled);

    bool Fetch(const PimRecords& snapshot, const SyncSession::Progress& progress);
    QString DeletionQuestion() const;
    void AllowDeletions() { m_deletionsAllowed = true; }
    void ApplyTo(PimDocument& document);
    bool Upload(const PimRecords& snapshot, const SyncSession::Progress& progress);
    bool Finish();

    SyncReport report;

private:
    // A calendar or address book and the kinds of record it holds here.
    struct Channel {
        QUrl url;
        std::vector<RecordKind> kinds;
    };

    void loadState(const PimRecords& snapshot);
    bool resolveCollections(DavClient& client);
    bool listChannel(DavClient& client, const Channel& channel, DavResponse answer, CollectionListing& out,
                     const SyncSession::Progress& progress);
    void forgetCollection(const Channel& channel);
    void keepLinks(const std::vector<SyncAction>& actions);
    bool holdsBack(RecordKind kind, bool here) const;
    template <class Record> void download(PimDocument& document, const SyncAction& action);
    void replaceChanged(PimDocument& document, int seriesId, const std::vector<Appointment>& changed);
    void addChanged(PimDocument& document, int seriesId, std::vector<Appointment> changed);
    void remove(PimDocument& document, const SyncAction& action);
    bool send(DavClient& client, const std::vector<SyncAction>& writes, const PimRecords& snapshot,
              const SyncSession::Progress& progress);
    void passOwnWrites(DavClient& client);
    void keepLastIds(const PimRecords& records);

    SyncAccount m_account;
    QString m_statePath;
    QString m_documentKey;
    const std::atomic<bool>& m_cancelled;
    SyncState m_state;
    LinkTable m_links;
    QHash<QUrl, QString> m_tokens; // to keep once what came down is applied
    QString m_identity;            // the document's, or the one it gets now
    bool m_newIdentity = false;
    QString m_legacyKey;
    bool m_resolved = false;
    bool m_fetched = false;
    bool m_deletionsAllowed = false;
    std::vector<SyncAction> m_incoming; // what ApplyTo does to the document
    std::vector<DeletionCount> m_deletions;
    recordtext::SeriesChanges m_changes; // the document's, while ApplyTo changes it
};

} // namespace davsync
