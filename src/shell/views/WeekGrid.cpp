#include "WeekGrid.h"

#include "WeekView.h"

#include "platform/LocaleFormat.h"
#include "platform/TextCodec.h"
#include "shell/ListImages.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kEdge = 4; // how near the lower edge a press resizes

int snapped(int minute) {
    return static_cast<int>(std::lround(minute / 15.0)) * 15;
}

DateTime at(CalendarDate day, int minute) {
    if (minute >= WeekLayout::kDayMinutes)
        return (day + 1).Midnight();
    return DateTime(day.Year(), day.Month(), day.Day(), minute / 60, minute % 60, 0);
}

} // namespace

WeekGrid::WeekGrid(WeekView& view) : m_view(view), m_marks(ListImages::AppointmentAlarms()) {
    setObjectName(QStringLiteral("weekGrid"));
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QFontMetrics metrics = fontMetrics();
    m_slotHeight = std::max(10, metrics.height() * 3 / 4);
    // Wide enough for the hours and for the band's "All day" beside it.
    const int hours =
        metrics.horizontalAdvance(platform::toQString(platform::formatTime(22, 0, 0, platform::TimeStyle::NoSeconds)));
    m_gutter = std::max(hours, metrics.horizontalAdvance(QStringLiteral("All day"))) + 10;
}

void WeekGrid::PlanChanged() {
    m_drag = {};
    updateGeometry();
    setMinimumHeight(sizeHint().height());
    update();
}

QSize WeekGrid::sizeHint() const {
    const WeekLayout::Plan& plan = m_view.Laid();
    return {m_gutter + 7 * 80, (plan.lastHour - plan.firstHour) * 4 * m_slotHeight + 1};
}

int WeekGrid::DayLeft(int day) const {
    return m_gutter + day * (width() - m_gutter) / 7;
}

int WeekGrid::MinuteY(int minute) const {
    return (minute - m_view.Laid().firstHour * 60) * m_slotHeight / 15;
}

int WeekGrid::dayAt(int x) const {
    for (int day = 0; day < 7; ++day)
        if (x < DayLeft(day + 1))
            return day;
    return 6;
}

int WeekGrid::minuteAt(int y) const {
    return m_view.Laid().firstHour * 60 + y * 15 / m_slotHeight;
}

QRect WeekGrid::BoxRect(int index) const {
    const WeekLayout::Box& box = m_view.Laid().boxes[static_cast<std::size_t>(index)];
    const int left = DayLeft(box.day) + 1;
    const int width = DayLeft(box.day + 1) - left - 4;
    const int x = left + width * box.column / box.columns;
    const int right = left + width * (box.column + 1) / box.columns;
    return QRect(QPoint(x, MinuteY(box.startMinute) + 1), QPoint(right - 1, MinuteY(box.endMinute) - 1));
}

void WeekGrid::ShowSlot(int slot, QScrollArea* scroll) {
    const int top = MinuteY(slot * 15);
    scroll->ensureVisible(DayLeft(0), top + m_slotHeight / 2, 0, m_slotHeight * 2);
}

void WeekGrid::paintEvent(QPaintEvent* event) {
    const WeekLayout::Plan& plan = m_view.Laid();
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QPalette& colors = palette();
    painter.fillRect(dirty, colors.base());
    painter.fillRect(QRect(0, dirty.top(), m_gutter, dirty.height()), colors.window());
    if (const int today = m_view.TodayColumn(); today >= 0) {
        QColor tint = colors.highlight().color();
        tint.setAlpha(28);
        painter.fillRect(QRect(DayLeft(today), dirty.top(), DayLeft(today + 1) - DayLeft(today), dirty.height()), tint);
    }
    const QColor hourLine = colors.mid().color();
    QColor halfLine = hourLine;
    halfLine.setAlpha(90);
    painter.setPen(colors.windowText().color());
    for (int hour = plan.firstHour; hour < plan.lastHour; ++hour) {
        const int y = MinuteY(hour * 60);
        if (y > dirty.bottom() || y + 4 * m_slotHeight < dirty.top())
            continue;
        painter.setPen(hourLine);
        painter.drawLine(m_gutter - 4, y, width(), y);
        painter.setPen(halfLine);
        painter.drawLine(m_gutter, y + 2 * m_slotHeight, width(), y + 2 * m_slotHeight);
        painter.setPen(colors.windowText().color());
        painter.drawText(QRect(0, y + 1, m_gutter - 6, 4 * m_slotHeight), Qt::AlignRight | Qt::AlignTop,
                         platform::toQString(platform::formatTime(hour, 0, 0, platform::TimeStyle::NoSeconds)));
    }
    painter.setPen(hourLine);
    for (int day = 0; day <= 7; ++day)
        painter.drawLine(DayLeft(day), dirty.top(), DayLeft(day), dirty.bottom());

    for (std::size_t box = 0; box < plan.boxes.size(); ++box)
        if (BoxRect(static_cast<int>(box)).intersects(dirty))
            paintBox(painter, static_cast<int>(box));

    const int slot = m_view.CursorSlot();
    if (m_view.hasFocus() && slot >= 0) {
        const int day = m_view.CursorDay();
        const QRect cursor(QPoint(DayLeft(day) + 1, MinuteY(slot * 15)),
                           QPoint(DayLeft(day + 1) - 1, MinuteY(slot * 15 + 15)));
        painter.setPen(QPen(colors.highlight().color(), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cursor.adjusted(1, 1, -1, -1));
    }
    if (m_drag.active) {
        const QRect outline(QPoint(DayLeft(m_drag.day) + 2, MinuteY(m_drag.start)),
                            QPoint(DayLeft(m_drag.day + 1) - 3, MinuteY(m_drag.end) - 1));
        painter.setPen(QPen(colors.text().color(), 2, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outline);
    }
}

void WeekGrid::paintBox(QPainter& painter, int index) {
    const WeekView::Entry entry{false, index};
    const WeekLayout::Box& box = m_view.Laid().boxes[static_cast<std::size_t>(index)];
    const QRect rect = BoxRect(index);
    const bool selected = m_view.Selected() == entry;
    const QPalette& colors = palette();
    const QColor fill = selected ? colors.highlight().color() : QColor(0xd4, 0xe4, 0xf7);
    painter.setPen(selected ? colors.highlight().color().darker(130) : QColor(0x4a, 0x7d, 0xc4));
    painter.setBrush(fill);
    painter.drawRect(rect);
    if (m_drag.active && m_drag.box == index) {
        QColor veil = colors.base().color();
        veil.setAlpha(140);
        painter.fillRect(rect, veil);
    }
    // Narrow boxes of a crowded hour show their colour only; a click or a tip tells the rest.
    if (rect.width() < 28)
        return;
    QRect text = rect.adjusted(3, 1, -2, -1);
    if (rect.width() >= 44 && rect.height() >= 12) {
        const int mark = (box.occurrence.alarmed ? 1 : 0) + (box.occurrence.InSeries() ? 2 : 0);
        if (mark > 0) {
            const int size = std::min(12, rect.height() - 2);
            painter.drawPixmap(QRect(text.right() - size, text.top() + 1, size, size),
                               m_marks[mark].pixmap(size, size));
            text.setRight(text.right() - size - 2);
        }
    }
    painter.setPen(selected ? colors.highlightedText().color() : colors.text().color());
    const QString words = m_view.TextOf(entry);
    const QFont plain = painter.font();
    QFont bold = plain;
    bold.setBold(true);
    const int line = QFontMetrics(bold).height();
    // A quarter hour is shorter than a line: its one line is written small enough to fit.
    if (rect.height() < line + 2)
        bold.setPixelSize(std::max(7, rect.height() - 2));
    painter.setFont(bold);
    // The start is left out where the box is too narrow for it beside the words.
    const QString start = box.fromBefore
                              ? QStringLiteral("\u2026")
                              : platform::toQString(box.occurrence.start.FormatTime(DateTime::TimeFormat::NoSeconds));
    const bool timeFits = painter.fontMetrics().horizontalAdvance(start) + 4 <= text.width();
    if (!timeFits) {
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, words);
        painter.setFont(plain);
        return;
    }
    const bool twoLines = rect.height() >= 2 * line + 2;
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop,
                     painter.fontMetrics().elidedText(twoLines ? start : start + QLatin1Char(' ') + words,
                                                      Qt::ElideRight, text.width()));
    painter.setFont(plain);
    if (twoLines)
        painter.drawText(text.adjusted(0, line, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, words);
}

int WeekGrid::boxAt(const QPoint& point) const {
    const auto& boxes = m_view.Laid().boxes;
    for (int box = static_cast<int>(boxes.size()) - 1; box >= 0; --box)
        if (BoxRect(box).adjusted(0, 0, 1, 1).contains(point))
            return box;
    return -1;
}

bool WeekGrid::onLowerEdge(int box, const QPoint& point) const {
    return !m_view.Laid().boxes[static_cast<std::size_t>(box)].goesOn && point.y() >= BoxRect(box).bottom() - kEdge;
}

void WeekGrid::mousePressEvent(QMouseEvent* event) {
    m_view.Plan(); // hit against the page as it stands now
    m_view.setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton || event->position().x() < m_gutter)
        return;
    const QPoint point = event->position().toPoint();
    const int box = boxAt(point);
    m_view.PlaceCursor(dayAt(point.x()), std::clamp(minuteAt(point.y()) / 15, 0, WeekLayout::kDayMinutes / 15 - 1));
    if (box < 0)
        return;
    m_view.Select({false, box});
    const WeekLayout::Box& shown = m_view.Laid().boxes[static_cast<std::size_t>(box)];
    m_drag = {};
    m_drag.box = box;
    m_drag.resize = onLowerEdge(box, point);
    m_drag.pressed = point;
    m_drag.grabMinute = minuteAt(point.y()) - shown.startMinute;
}

void WeekGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_drag.box < 0) {
        const int box = boxAt(point);
        setCursor(box >= 0 && onLowerEdge(box, point) ? Qt::SizeVerCursor : Qt::ArrowCursor);
        return;
    }
    if (!m_drag.active && (point - m_drag.pressed).manhattanLength() < QApplication::startDragDistance())
        return;
    m_drag.active = true;
    follow(point);
    // Dragged past the top or the bottom of what shows, the grid scrolls along.
    if (auto* scroll = qobject_cast<QScrollArea*>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
        scroll->ensureVisible(point.x(), point.y(), 0, m_slotHeight);
    update();
}

void WeekGrid::follow(const QPoint& point) {
    const WeekLayout::Box& box = m_view.Laid().boxes[static_cast<std::size_t>(m_drag.box)];
    if (m_drag.resize) {
        m_drag.day = box.day;
        m_drag.start = box.startMinute;
        m_drag.end = std::clamp(snapped(minuteAt(point.y())), box.startMinute + 15, WeekLayout::kDayMinutes);
        return;
    }
    const int length = box.endMinute - box.startMinute;
    m_drag.day = dayAt(point.x());
    m_drag.start = std::clamp(snapped(minuteAt(point.y()) - m_drag.grabMinute), 0, WeekLayout::kDayMinutes - 15);
    m_drag.end = std::min(m_drag.start + length, WeekLayout::kDayMinutes);
}

void WeekGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_drag.active)
        drop();
    m_drag = {};
    update();
}

void WeekGrid::drop() {
    const Drag drag = m_drag;
    m_drag = {};
    const WeekLayout::Plan& plan = m_view.Laid();
    const WeekLayout::Box& box = plan.boxes[static_cast<std::size_t>(drag.box)];
    const Occurrence& occurrence = box.occurrence;
    if (drag.resize) {
        const DateTime end = at(plan.first + box.day, drag.end);
        if (end > occurrence.start)
            m_view.MoveBox(drag.box, occurrence.start, end);
        return;
    }
    // The box's shown start may be a midnight it continues from: the move is the distance between
    // where it was shown and where it was dropped.
    const DateTimeSpan move = at(plan.first + drag.day, drag.start) - at(plan.first + box.day, box.startMinute);
    m_view.MoveBox(drag.box, occurrence.start + move, occurrence.end + move);
}

bool WeekGrid::CancelDrag() {
    if (m_drag.box < 0)
        return false;
    m_drag = {};
    update();
    return true;
}

void WeekGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    m_view.Plan(); // hit against the page as it stands now
    if (event->button() != Qt::LeftButton || event->position().x() < m_gutter)
        return;
    m_drag = {};
    const QPoint point = event->position().toPoint();
    if (const int box = boxAt(point); box >= 0)
        m_view.Open({false, box});
    else
        m_view.CreateAt(dayAt(point.x()), std::clamp(minuteAt(point.y()) / 15, 0, WeekLayout::kDayMinutes / 15 - 1));
}

void WeekGrid::contextMenuEvent(QContextMenuEvent* event) {
    m_view.Plan(); // hit against the page as it stands now
    const int box = boxAt(event->pos());
    m_view.PopupMenu(box >= 0 ? WeekView::Entry{false, box} : WeekView::Entry{}, event->globalPos());
}

bool WeekGrid::event(QEvent* event) {
    // A box too narrow for its words says them as a tip.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int box = boxAt(help->pos());
        if (box >= 0)
            QToolTip::showText(help->globalPos(), m_view.Announcement({false, box}), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
