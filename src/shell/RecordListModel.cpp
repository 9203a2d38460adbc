#include "RecordListModel.h"

#include "platform/TextCodec.h"

RecordListModel::RecordListModel(const QStringList& headers, QObject* parent)
    : QAbstractTableModel(parent), m_headers(headers) {
    for (int i = 0; i < headers.size(); ++i)
        m_alignments.append(Qt::AlignLeft | Qt::AlignVCenter);
}

void RecordListModel::SetColumnAlignment(int column, Qt::Alignment alignment) {
    if (column >= 0 && column < m_alignments.size())
        m_alignments[column] = alignment;
}

void RecordListModel::SetRows(std::vector<ListRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void RecordListModel::RemoveRow(int row) {
    if (row < 0 || row >= Count())
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void RecordListModel::SetImage(int row, int image) {
    if (row < 0 || row >= Count())
        return;
    m_rows[static_cast<std::size_t>(row)].image = image;
    const QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {Qt::DecorationRole});
}

int RecordListModel::IdAt(int row) const {
    return row >= 0 && row < Count() ? Row(row).id : -1;
}

int RecordListModel::RowOf(int id) const {
    for (int row = 0; row < Count(); ++row)
        if (Row(row).id == id)
            return row;
    return -1;
}

QString RecordListModel::Text(int row, int column) const {
    if (row < 0 || row >= Count() || column < 0 || column > 1)
        return {};
    return platform::toQString(Row(row).columns[column]);
}

QString RecordListModel::Note(int row) const {
    const int series = Row(row).seriesId;
    return series != 0 && m_seriesNote ? m_seriesNote(series) : QString();
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return Text(index.row(), index.column());
    case Qt::ToolTipRole: {
        // A row of a series says how it repeats, as a tip and to screen readers.
        const QString note = Note(index.row());
        return note.isEmpty() ? Text(index.row(), index.column())
                              : Text(index.row(), index.column()) + QLatin1Char('\n') + note;
    }
    case Qt::AccessibleDescriptionRole:
        return Note(index.row());
    case Qt::DecorationRole: {
        const int image = Row(index.row()).image;
        if (index.column() == 0 && image >= 0 && image < m_images.size())
            return m_images[image];
        return {};
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_alignments.value(index.column(), Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headers[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignments[section]);
    return {};
}
