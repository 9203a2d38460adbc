#include "SyncSession.h"

#include "SyncState.h"

#include "docfile/PimDocument.h"

namespace davsync {

class SyncPlan {
public:
    SyncReport report;
};

SyncSession::SyncSession(SyncAccount account, QString documentPath)
    : m_account(std::move(account)), m_documentPath(std::move(documentPath)), m_plan(std::make_unique<SyncPlan>()) {}

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

bool SyncSession::Fetch(const PimRecords&) {
    m_plan->report.failure = QStringLiteral("not yet built");
    return false;
}

void SyncSession::ApplyTo(PimDocument&) {}

bool SyncSession::Upload(const PimRecords&) {
    return m_plan->report.Succeeded();
}

bool SyncSession::Finish() {
    return true;
}

const SyncReport& SyncSession::Report() const {
    return m_plan->report;
}

SyncReport Synchronize(PimDocument& document, const SyncAccount& account, SyncSession::Progress progress) {
    SyncSession session(account, document.FileName());
    session.SetProgress(std::move(progress));
    if (session.Fetch(document)) {
        session.ApplyTo(document);
        session.Upload(document);
    }
    session.Finish();
    return session.Report();
}

} // namespace davsync
