#pragma once

#include "SyncAccount.h"
#include "SyncReport.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class DocumentStorage;
class PimDocument;
class PimRecords;

namespace davsync {

class SyncPlan;

// One synchronisation of a document with an account, in four steps so that the network work can
// run off the GUI thread while the document is changed only on it.
class SyncSession {
public:
    SyncSession(SyncAccount account, QString documentPath); // the state file is per document path and account
    ~SyncSession();
    SyncSession(const SyncSession&) = delete;
    SyncSession& operator=(const SyncSession&) = delete;

    using Progress = std::function<void(const QString& step, int done, int total)>;
    void SetProgress(Progress progress); // called on the thread doing the work
    void Cancel();                       // any thread; the work stops at the next request

    // The snapshots are copies of the document's records, so that the document may change while
    // the work goes on. The state written by Finish ties server objects to records by ID: the
    // document is to be saved once ApplyTo has changed it, or the next sync takes the records that
    // came down, and were never saved, for deleted here.
    bool Fetch(const PimRecords& snapshot); // 1. network, any thread; never touches the document
    // After Fetch: the question to ask when the sync would delete more than 10 records of a kind,
    // and more than a tenth of them, on either side; empty when it would not. Unless the answer
    // is AllowDeletions, those deletions are held back (SyncReport::heldBack) and asked again
    // the next time.
    QString DeletionQuestion() const;
    void AllowDeletions();
    void ApplyTo(PimDocument& document);     // 2. GUI thread: what came down, as one batch "Synchronize"
    bool Upload(const PimRecords& snapshot); // 3. network, any thread; snapshot taken after ApplyTo
    bool Finish(); // 4. writes the state file atomically (also after a failure, for what did succeed)
    const SyncReport& Report() const;

    // Where the state file of this document and account lives.
    QString StatePath() const;

private:
    SyncAccount m_account;
    QString m_documentPath;
    Progress m_progress;
    std::atomic<bool> m_cancelled{false};
    std::unique_ptr<SyncPlan> m_plan;
};

// All four steps on the calling thread, for tavoro-cli, tests and bench; many deletions are made
// only with `allowDeletions`.
SyncReport Synchronize(DocumentStorage& storage, const SyncAccount& account, SyncSession::Progress progress = {},
                       bool allowDeletions = false);

} // namespace davsync
