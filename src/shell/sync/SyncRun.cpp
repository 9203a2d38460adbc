#include "SyncRun.h"

#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"

#include <QtConcurrent/QtConcurrentRun>

SyncRun::SyncRun(DocumentStorage& storage, const davsync::SyncAccount& account, QObject* parent)
    : QObject(parent), m_storage(storage), m_document(storage.Document()), m_documentPath(storage.FileName()),
      m_session(std::make_unique<davsync::SyncSession>(account, storage.FileName())) {
    // The session reports from the worker; the window hears it on its own thread.
    m_session->SetProgress([this](const QString& step, int done, int total) {
        QMetaObject::invokeMethod(
            this, [this, step, done, total] { emit progress(step, done, total); }, Qt::QueuedConnection);
    });
    connect(&m_watcher, &QFutureWatcher<bool>::finished, this, [this] {
        if (m_stage == Stage::Fetching)
            fetched();
        else if (m_stage == Stage::Uploading)
            uploaded();
    });
}

SyncRun::~SyncRun() {
    Stop();
}

void SyncRun::Start() {
    m_stage = Stage::Fetching;
    davsync::SyncSession* session = m_session.get();
    m_watcher.setFuture(
        QtConcurrent::run([session, snapshot = m_document.Records()] { return session->Fetch(snapshot); }));
}

void SyncRun::fetched() {
    davsync::SyncSession* session = m_session.get();
    // What came down belongs to the document it was fetched for: one opened or renamed meanwhile
    // gets none of it.
    const bool sameDocument = m_storage.FileName() == m_documentPath;
    if (m_watcher.result() && sameDocument) {
        const auto changes = [session] {
            const davsync::SyncReport& report = session->Report();
            return report.downloaded + report.deletedHere + report.conflicts.size();
        };
        const QString question = session->DeletionQuestion();
        if (!question.isEmpty() && m_confirmDeletions && m_confirmDeletions(question))
            session->AllowDeletions();
        const auto before = changes();
        const bool wasSaved = !m_document.IsModified();
        const std::string identity = m_document.Records().Identity;
        session->ApplyTo(m_document);
        // The document's identity is what the sync state is kept under: it must reach the file.
        if (changes() != before || (wasSaved && m_document.IsModified()) || identity != m_document.Records().Identity)
            emit applied();
        m_stage = Stage::Uploading;
        m_watcher.setFuture(QtConcurrent::run([session, snapshot = m_document.Records()] {
            session->Upload(snapshot);
            return session->Finish();
        }));
        return;
    }
    if (!sameDocument)
        session->Cancel();
    m_stage = Stage::Uploading;
    m_watcher.setFuture(QtConcurrent::run([session] { return session->Finish(); }));
}

void SyncRun::uploaded() {
    m_stage = Stage::Done;
    emit finished();
}

void SyncRun::Stop() {
    if (!IsRunning())
        return;
    m_session->Cancel();
    m_watcher.waitForFinished();
    if (m_stage == Stage::Fetching)
        m_session->Finish();
    m_stage = Stage::Done;
}
