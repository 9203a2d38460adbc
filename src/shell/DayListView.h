#pragma once

#include <QTreeView>

// A report-style list of the day view: single full-row selection, no sorting by the view, rows of
// one height (so that long lists scroll and refill quickly), tooltips for cut-off text.
class DayListView : public QTreeView {
    Q_OBJECT
public:
    explicit DayListView(QWidget* parent = nullptr);

    // The size the list asks for in the form's layout.
    void SetPreferredSize(const QSize& size) { m_preferred = size; }
    QSize sizeHint() const override { return m_preferred; }
    QSize minimumSizeHint() const override { return m_preferred; }

    // The selected row, or -1.
    int SelectedRow() const;

private:
    QSize m_preferred{200, 100};
};
