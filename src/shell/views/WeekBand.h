#pragma once

#include <QWidget>

class WeekGrid;
class WeekView;

// Above the week's grid: a heading for each day (weekday and date, today marked) and the band of
// the entries that take whole days, a bar across the days of each.
class WeekBand : public QWidget {
    Q_OBJECT
public:
    WeekBand(WeekView& view, WeekGrid& grid);

    void PlanChanged();
    // Where a bar of the band is drawn.
    QRect BarRect(int entry) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    int headingHeight() const;
    int laneHeight() const;
    int dayAt(int x) const;
    int barAt(const QPoint& point) const;

    WeekView& m_view;
    WeekGrid& m_grid;
};
