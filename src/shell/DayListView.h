#pragma once

#include <QTreeView>

// A report-style list of the day view: single full-row selection, no sorting by the view, rows of
// one height (so that long lists scroll and refill quickly), tooltips for cut-off text. Enter or F2
// asks to edit the selected row, Del to delete it, Shift+F10 or the Menu key for its context menu.
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

signals:
    void editRequested();
    void deleteRequested();
    // The context menu for the selected row (-1: none), to be opened at a point of the viewport.
    void contextMenuRequested(int row, const QPoint& viewportPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize m_preferred{200, 100};
};
