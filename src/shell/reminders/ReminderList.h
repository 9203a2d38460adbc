#pragma once

#include <QTreeWidget>

// The list both reminder windows show: several rows can be chosen, and the window grows so that
// the descriptions in the last column can be read whole, as far as the screen allows.
class ReminderList : public QTreeWidget {
    Q_OBJECT
public:
    ReminderList(const QStringList& headers, QWidget* parent);

    // Adds a row; the last text is the description.
    QTreeWidgetItem* AddRow(const QStringList& texts);
    // Sizes the columns to their texts and asks for the room the rows need, up to a screenful.
    void FitRows();

    QSize sizeHint() const override { return m_preferred; }

private:
    QSize m_preferred;
};
