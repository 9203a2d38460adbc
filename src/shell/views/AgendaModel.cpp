#include "AgendaModel.h"

#include "platform/TextCodec.h"

#include <QFont>

AgendaModel::AgendaModel(QObject* parent) : QAbstractListModel(parent) {}

void AgendaModel::SetRows(std::vector<AgendaRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void AgendaModel::SetImages(const QList<QIcon>& appointments, const QList<QIcon>& tasks) {
    m_appointmentImages = appointments;
    m_taskImages = tasks;
}

int AgendaModel::RowOf(const AgendaRow& entry) const {
    for (int row = 0; row < Count(); ++row) {
        const AgendaRow& r = Row(row);
        if (r.kind == entry.kind && r.id == entry.id && r.day == entry.day)
            return row;
    }
    return -1;
}

int AgendaModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QIcon AgendaModel::image(const AgendaRow& row) const {
    const QList<QIcon>& images = row.kind == AgendaRow::Kind::Task ? m_taskImages : m_appointmentImages;
    return row.image >= 0 && row.image < images.size() ? images[row.image] : QIcon();
}

QString AgendaModel::note(const AgendaRow& row) const {
    return row.seriesId != 0 && m_seriesNote ? m_seriesNote(row.seriesId) : QString();
}

QVariant AgendaModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count())
        return {};
    const AgendaRow& row = Row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return platform::toQString(row.IsEntry() ? row.text : row.heading);
    case TimeRole:
        return platform::toQString(row.time);
    case HeadingRole:
        return !row.IsEntry();
    case Qt::AccessibleTextRole:
        return platform::toQString(AgendaRows::Spoken(row));
    case Qt::AccessibleDescriptionRole:
        return note(row);
    case Qt::ToolTipRole: {
        const QString text = platform::toQString(row.IsEntry() ? row.time + "  " + row.text : row.heading);
        const QString series = note(row);
        return series.isEmpty() ? text : text + QLatin1Char('\n') + series;
    }
    case Qt::DecorationRole:
        return row.IsEntry() ? QVariant(image(row)) : QVariant();
    case Qt::FontRole:
        if (!row.IsEntry()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags AgendaModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= Count())
        return Qt::NoItemFlags;
    return Row(index.row()).IsEntry() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled;
}
