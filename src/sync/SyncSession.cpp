#include "SyncSession.h"

#include "SyncPlan.h"
#include "SyncState.h"

#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"

namespace davsync {

SyncSession::SyncSession(SyncAccount account, QString documentPath)
    : m_account(std::move(account)), m_documentPath(std::move(documentPath)),
      m_plan(std::make_unique<SyncPlan>(m_account, m_documentPath, StatePath(), m_cancelled)) {}

SyncSession::~SyncSession() = default;

void SyncSession::SetProgress(Progress progress) {
    m_progress = std::move(progress);
}

void SyncSession::Cancel() {
    m_cancelled = true;
}

QString SyncSession::StatePath() const {
    return SyncState::PathFor(m_documentPath, m_account.server, m_account.user);
}

bool SyncSession::Fetch(const PimRecords& snapshot) {
    return m_plan->Fetch(snapshot, m_progress);
}

QString SyncSession::DeletionQuestion() const {
    return m_plan->DeletionQuestion();
}

void SyncSession::AllowDeletions() {
    m_plan->AllowDeletions();
}

void SyncSession::ApplyTo(PimDocument& document) {
    m_plan->ApplyTo(document);
}

bool SyncSession::Upload(const PimRecords& snapshot) {
    return m_plan->Upload(snapshot, m_progress);
}

bool SyncSession::Finish() {
    return m_plan->Finish();
}

const SyncReport& SyncSession::Report() const {
    return m_plan->report;
}

SyncReport Synchronize(DocumentStorage& storage, const SyncAccount& account, SyncSession::Progress progress,
                       bool allowDeletions) {
    PimDocument& document = storage.Document();
    SyncSession session(account, storage.FileName());
    session.SetProgress(std::move(progress));
    if (allowDeletions)
        session.AllowDeletions();
    if (session.Fetch(document.Records())) {
        session.ApplyTo(document);
        session.Upload(document.Records());
    }
    session.Finish();
    return session.Report();
}

} // namespace davsync
