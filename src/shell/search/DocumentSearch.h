#pragma once

#include "core/SearchIndex.h"
#include "docfile/DocumentObserver.h"

#include <QObject>

class PimDocument;

// Edit > Find's view of the open document: the search index over its records, forgotten at each
// change and rebuilt at the next query.
class DocumentSearch : public QObject, public DocumentObserver {
    Q_OBJECT
public:
    explicit DocumentSearch(PimDocument& document, QObject* parent = nullptr);
    ~DocumentSearch() override;

    const PimDocument& Document() const { return m_document; }
    // Builds the index, if a change made it go, before the user types.
    void Prepare();
    // The first `limit` records that match the typed text, and how many match in all.
    SearchResults Find(const QString& query, std::size_t limit);

    void DocumentChanged(PimDocument& document) override;
    void DocumentReplaced(PimDocument& document) override;
    void DocumentClosing(PimDocument& document) override;

signals:
    // The records changed: results shown from before are out of date.
    void recordsChanged();

private:
    PimDocument& m_document;
    SearchIndex m_index;
    bool m_attached = false;
};
