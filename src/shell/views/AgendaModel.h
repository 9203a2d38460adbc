#pragma once

#include "core/AgendaRows.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QList>

#include <functional>
#include <vector>

// The agenda's rows, in the order they are shown. A heading cannot be selected; an entry carries its
// time and text apart, for the delegate to set them in columns.
class AgendaModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { TimeRole = Qt::UserRole + 1, HeadingRole };

    explicit AgendaModel(QObject* parent = nullptr);

    void SetRows(std::vector<AgendaRow> rows);
    // Images of appointments (index: alarm, plus 2 for a series) and of tasks (index: priority).
    void SetImages(const QList<QIcon>& appointments, const QList<QIcon>& tasks);
    // What a series' occurrence says besides its texts (its rule in words), asked for only when a
    // tip or a screen reader wants it.
    void SetSeriesNote(std::function<QString(int seriesId)> note) { m_seriesNote = std::move(note); }

    int Count() const { return static_cast<int>(m_rows.size()); }
    const AgendaRow& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    bool IsEntry(int row) const { return row >= 0 && row < Count() && Row(row).IsEntry(); }
    // The row showing the same entry (kind, record and day), or -1.
    int RowOf(const AgendaRow& entry) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QIcon image(const AgendaRow& row) const;
    QString note(const AgendaRow& row) const;

    std::vector<AgendaRow> m_rows;
    QList<QIcon> m_appointmentImages;
    QList<QIcon> m_taskImages;
    std::function<QString(int)> m_seriesNote;
};
