#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class DateTime;
class QScrollArea;
class WeekView;

// The week's time grid: an hour row for each hour shown, quarter-hour slots, a column for each
// day, and the timed appointments as boxes on it. A box's body dragged to another slot or day
// moves the appointment, its lower edge its end, in quarter-hour steps; the week view stores it.
class WeekGrid : public QWidget {
    Q_OBJECT
public:
    explicit WeekGrid(WeekView& view);

    void PlanChanged();
    int Gutter() const { return m_gutter; }
    int DayLeft(int day) const;
    int MinuteY(int minute) const;
    int SlotHeight() const { return m_slotHeight; }
    // Where a box is drawn, in the grid's coordinates.
    QRect BoxRect(int box) const;
    void ShowSlot(int slot, QScrollArea* scroll);
    // Esc during a drag: the box stays where it was. False when no drag was under way.
    bool CancelDrag();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Drag {
        int box = -1;
        bool resize = false;
        bool active = false;
        QPoint pressed;
        int grabMinute = 0; // the pointer's minute less the box's start
        int day = 0;        // where the box would go...
        int start = 0;
        int end = 0;
    };

    int dayAt(int x) const;
    int minuteAt(int y) const;
    int boxAt(const QPoint& point) const;
    bool onLowerEdge(int box, const QPoint& point) const;
    void follow(const QPoint& point);
    void drop();
    void paintBox(QPainter& painter, int box);

    WeekView& m_view;
    int m_slotHeight = 12;
    int m_gutter = 48;
    QList<QIcon> m_marks;
    Drag m_drag;
};
