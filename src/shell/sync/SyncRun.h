#pragma once

#include "sync/SyncSession.h"

#include <QFutureWatcher>
#include <QObject>

#include <functional>
#include <memory>

class DocumentStorage;
class PimDocument;

// One synchronisation of the open document, without freezing the window: the network steps run
// on a worker thread, what came down is applied on the GUI thread between them, through the
// document's operations, so that the user may go on editing meanwhile.
class SyncRun : public QObject {
    Q_OBJECT
public:
    SyncRun(DocumentStorage& storage, const davsync::SyncAccount& account, QObject* parent = nullptr);
    // Stops the work and waits for it.
    ~SyncRun() override;

    // Asked, on the GUI thread, before a sync deletes more records than it may unasked (see
    // SyncSession::DeletionQuestion); without an answer of yes they are held back.
    void SetDeletionConfirmation(std::function<bool(const QString& question)> confirm) {
        m_confirmDeletions = std::move(confirm);
    }

    void Start();
    // Stops at the next request and waits; the state file keeps what was carried. No `finished`.
    void Stop();
    bool IsRunning() const { return m_stage != Stage::Idle && m_stage != Stage::Done; }
    const davsync::SyncReport& Report() const { return m_session->Report(); }

signals:
    void progress(const QString& step, int done, int total);
    // What came down is in the document: saving it now keeps the document and the sync state in
    // step (the state names the records that came down by their IDs).
    void applied();
    void finished();

private:
    enum class Stage { Idle, Fetching, Uploading, Done };
    void fetched();
    void uploaded();

    DocumentStorage& m_storage;
    PimDocument& m_document;
    QString m_documentPath;
    std::unique_ptr<davsync::SyncSession> m_session;
    QFutureWatcher<bool> m_watcher;
    Stage m_stage = Stage::Idle;
    std::function<bool(const QString& question)> m_confirmDeletions;
};
