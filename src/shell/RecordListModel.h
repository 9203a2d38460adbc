#pragma once

#include "core/DayListRows.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>

#include <functional>
#include <vector>

// The rows of one day-view list, held in the order they are shown. The rows arrive sorted, so the
// view never sorts; texts are turned into QStrings only for the rows that are painted.
class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RecordListModel(const QStringList& headers, QObject* parent = nullptr);

    // Images by index, shown before the first column's text.
    void SetImages(const QList<QIcon>& images) { m_images = images; }
    void SetColumnAlignment(int column, Qt::Alignment alignment);
    // What a row of a series says besides its columns (its rule in words), asked only when a tip
    // or a screen reader wants it.
    void SetSeriesNote(std::function<QString(int seriesId)> note) { m_seriesNote = std::move(note); }

    void SetRows(std::vector<ListRow> rows);
    void RemoveRow(int row);
    void SetImage(int row, int image);

    int Count() const { return static_cast<int>(m_rows.size()); }
    // The record shown in a row, or -1 outside the list.
    int IdAt(int row) const;
    // The first row showing the record, or -1.
    int RowOf(int id) const;
    QString Text(int row, int column) const;
    const ListRow& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    QList<Qt::Alignment> m_alignments;
    QList<QIcon> m_images;
    std::vector<ListRow> m_rows;
    std::function<QString(int)> m_seriesNote;

    QString Note(int row) const;
};
