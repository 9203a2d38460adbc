#include "DocumentSearch.h"

#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"

DocumentSearch::DocumentSearch(PimDocument& document, QObject* parent) : QObject(parent), m_document(document) {
    m_document.AddObserver(this);
    m_attached = true;
}

DocumentSearch::~DocumentSearch() {
    if (m_attached)
        m_document.RemoveObserver(this);
}

void DocumentSearch::Prepare() {
    m_index.Prepare(m_document.Records(), CalendarDate::Of(DateTime::Today()));
}

SearchResults DocumentSearch::Find(const QString& query, std::size_t limit) {
    return m_index.Find(m_document.Records(), platform::fromQString(query), limit, CalendarDate::Of(DateTime::Today()));
}

void DocumentSearch::DocumentChanged(PimDocument& /*document*/) {
    m_index.Forget();
    emit recordsChanged();
}

void DocumentSearch::DocumentReplaced(PimDocument& document) {
    DocumentChanged(document);
}

void DocumentSearch::DocumentClosing(PimDocument& document) {
    document.RemoveObserver(this);
    m_attached = false;
}
