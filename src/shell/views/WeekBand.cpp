#include "WeekBand.h"

#include "WeekGrid.h"
#include "WeekView.h"

#include <QDate>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int kMinimumLanes = 1;

} // namespace

WeekBand::WeekBand(WeekView& view, WeekGrid& grid) : m_view(view), m_grid(grid) {
    setObjectName(QStringLiteral("weekBand"));
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int WeekBand::headingHeight() const {
    return fontMetrics().height() + 8;
}

int WeekBand::laneHeight() const {
    return fontMetrics().height() + 4;
}

void WeekBand::PlanChanged() {
    updateGeometry();
    setFixedHeight(sizeHint().height());
    update();
}

QSize WeekBand::sizeHint() const {
    const int lanes = std::max(kMinimumLanes, m_view.Laid().lanes);
    return {m_grid.sizeHint().width(), headingHeight() + lanes * laneHeight() + 4};
}

int WeekBand::dayAt(int x) const {
    for (int day = 0; day < 7; ++day)
        if (x < m_grid.DayLeft(day + 1))
            return day;
    return 6;
}

QRect WeekBand::BarRect(int index) const {
    const WeekLayout::BandEntry& entry = m_view.Laid().band[static_cast<std::size_t>(index)];
    const int top = headingHeight() + 2 + entry.lane * laneHeight();
    return QRect(QPoint(m_grid.DayLeft(entry.firstDay) + 2, top),
                 QPoint(m_grid.DayLeft(entry.lastDay + 1) - 3, top + laneHeight() - 3));
}

void WeekBand::paintEvent(QPaintEvent* /*event*/) {
    const WeekLayout::Plan& plan = m_view.Laid();
    QPainter painter(this);
    const QPalette& colors = palette();
    painter.fillRect(rect(), colors.base());
    painter.fillRect(QRect(0, 0, width(), headingHeight()), colors.window());
    const int today = m_view.TodayColumn();
    const QLocale locale;
    for (int day = 0; day < 7; ++day) {
        const CalendarDate date = plan.first + day;
        const QRect heading(QPoint(m_grid.DayLeft(day), 0), QPoint(m_grid.DayLeft(day + 1) - 1, headingHeight() - 1));
        QFont font = painter.font();
        font.setBold(day == today);
        painter.setFont(font);
        if (day == today) {
            painter.fillRect(heading.adjusted(1, 1, 0, 0), colors.highlight());
            painter.setPen(colors.highlightedText().color());
        } else {
            painter.setPen(colors.windowText().color());
        }
        const QDate shown(date.Year(), date.Month(), date.Day());
        const QString words = locale.toString(shown, QStringLiteral("ddd d MMM"));
        painter.drawText(heading, Qt::AlignCenter,
                         painter.fontMetrics().horizontalAdvance(words) <= heading.width() - 4
                             ? words
                             : locale.toString(shown, QStringLiteral("ddd d")));
    }
    QFont plain = painter.font();
    plain.setBold(false);
    painter.setFont(plain);
    // The corner says the month and year of the week's first day; the gutter below it names the band.
    painter.setPen(colors.windowText().color());
    const QRect corner(0, 0, m_grid.Gutter() - 2, headingHeight());
    const QDate first(plan.first.Year(), plan.first.Month(), plan.first.Day());
    // "Dec 2026" where it fits, else the month alone rather than a cut-off word.
    QString month = locale.toString(first, QStringLiteral("MMM yyyy"));
    if (painter.fontMetrics().horizontalAdvance(month) > corner.width())
        month = locale.toString(first, QStringLiteral("MMM"));
    painter.drawText(corner, Qt::AlignCenter, painter.fontMetrics().elidedText(month, Qt::ElideRight, corner.width()));
    painter.drawText(QRect(0, headingHeight(), m_grid.Gutter() - 6, laneHeight() + 2),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("All day"));
    painter.setPen(colors.mid().color());
    painter.drawLine(0, height() - 1, width(), height() - 1);
    for (int day = 0; day <= 7; ++day)
        painter.drawLine(m_grid.DayLeft(day), 0, m_grid.DayLeft(day), height());

    for (std::size_t index = 0; index < plan.band.size(); ++index) {
        const WeekView::Entry entry{true, static_cast<int>(index)};
        const WeekLayout::BandEntry& bar = plan.band[index];
        const QRect rect = BarRect(entry.index);
        const bool selected = m_view.Selected() == entry;
        const QColor fill = selected            ? colors.highlight().color()
                            : bar.birthday >= 0 ? QColor(0xfb, 0xe3, 0xc8)
                                                : QColor(0xd8, 0xf0, 0xd4);
        painter.setPen(selected ? colors.highlight().color().darker(130)
                                : (bar.birthday >= 0 ? QColor(0xd0, 0x8a, 0x3c) : QColor(0x5a, 0xa0, 0x50)));
        painter.setBrush(fill);
        painter.drawRoundedRect(rect, 3, 3);
        painter.setPen(selected ? colors.highlightedText().color() : colors.text().color());
        QString words = m_view.TextOf(entry);
        if (bar.fromBefore)
            words.prepend(QStringLiteral("\u25c2 "));
        if (bar.goesOn)
            words.append(QStringLiteral(" \u25b8"));
        const QRect text = rect.adjusted(4, 0, -4, 0);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(words, Qt::ElideRight, text.width()));
    }
    if (m_view.hasFocus() && m_view.CursorSlot() == WeekView::kBandSlot) {
        const int day = m_view.CursorDay();
        painter.setPen(QPen(colors.highlight().color(), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(m_grid.DayLeft(day) + 2, headingHeight() + 1),
                               QPoint(m_grid.DayLeft(day + 1) - 2, height() - 3)));
    }
}

int WeekBand::barAt(const QPoint& point) const {
    for (int index = 0; index < static_cast<int>(m_view.Laid().band.size()); ++index)
        if (BarRect(index).contains(point))
            return index;
    return -1;
}

void WeekBand::mousePressEvent(QMouseEvent* event) {
    m_view.Plan(); // hit against the page as it stands now
    m_view.setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || point.x() < m_grid.Gutter())
        return;
    m_view.PlaceCursor(dayAt(point.x()), WeekView::kBandSlot);
    if (const int bar = barAt(point); bar >= 0)
        m_view.Select({true, bar});
}

void WeekBand::mouseDoubleClickEvent(QMouseEvent* event) {
    m_view.Plan(); // hit against the page as it stands now
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || point.x() < m_grid.Gutter())
        return;
    if (const int bar = barAt(point); bar >= 0)
        m_view.Open({true, bar});
    else
        m_view.CreateAt(dayAt(point.x()), WeekView::kBandSlot);
}

void WeekBand::contextMenuEvent(QContextMenuEvent* event) {
    m_view.Plan(); // hit against the page as it stands now
    const int bar = barAt(event->pos());
    m_view.PopupMenu(bar >= 0 ? WeekView::Entry{true, bar} : WeekView::Entry{}, event->globalPos());
}

bool WeekBand::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int bar = barAt(help->pos());
        if (bar >= 0)
            QToolTip::showText(help->globalPos(), m_view.Announcement({true, bar}), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
