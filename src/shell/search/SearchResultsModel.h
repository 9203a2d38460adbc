#pragma once

#include "core/SearchIndex.h"

#include <QAbstractTableModel>
#include <QString>

#include <optional>
#include <vector>

class PimRecords;

// The rows of the search results: name or description (a person's with company and city), kind and
// date of each record found (a series': its next occurrence), and below them, when more were found
// than are shown, a last row "and N more"; a query that finds nothing shows "No matches".
class SearchResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetResults(const SearchResults& results, const PimRecords& records);
    void Clear();

    // The record a row shows; nothing for the "more" row and outside the list.
    std::optional<SearchHit> HitAt(int row) const;
    int Hits() const { return static_cast<int>(m_rows.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        SearchHit hit;
        QString columns[3];
    };
    std::vector<Row> m_rows;
    std::size_t m_more = 0;
    bool m_noMatches = false;
};
