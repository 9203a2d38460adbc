#include "reports/PreviewWidget.h"

#include "reports/PrintCommands.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
constexpr int kInset = 10;
}

PreviewWidget::PreviewWidget(PrintCommands& commands, QWidget* parent)
    : QAbstractScrollArea(parent), m_commands(commands) {
    setObjectName(QStringLiteral("printPreview"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Print preview"));
    viewport()->setAutoFillBackground(false);
    connect(&m_commands, &PrintCommands::previewChanged, this, &PreviewWidget::Refresh);
    m_zoom = m_commands.Preview().ZoomLevel();
    UpdateScrollBars();
}

void PreviewWidget::Refresh() {
    const int zoom = m_commands.Preview().ZoomLevel();
    if (zoom != m_zoom) {
        const QSize view = viewport()->size();
        int x = zoom / 2;
        int y = zoom / 2;
        if (m_zoom > 0) {
            // Keep the same part of the page in view: scale the position with the area.
            x = horizontalScrollBar()->value() * (view.width() + zoom) / (view.width() + m_zoom);
            y = verticalScrollBar()->value() * (view.height() + zoom) / (view.height() + m_zoom);
        }
        m_zoom = zoom;
        UpdateScrollBars();
        horizontalScrollBar()->setValue(x);
        verticalScrollBar()->setValue(y);
    }
    viewport()->update();
}

void PreviewWidget::UpdateScrollBars() {
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, m_zoom);
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, m_zoom);
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
}

QRect PreviewWidget::PaperRect() const {
    const QSizeF paper = m_commands.PreviewPage().paperSize();
    if (paper.isEmpty())
        return QRect();
    const QSize view = viewport()->size();
    const QRect area = QRect(-horizontalScrollBar()->value(), -verticalScrollBar()->value(), view.width() + m_zoom,
                             view.height() + m_zoom)
                           .adjusted(kInset, kInset, -kInset, -kInset);
    if (area.isEmpty())
        return QRect();
    const double aspect = paper.height() / paper.width();
    if (area.width() * aspect > area.height()) {
        const int width = static_cast<int>(area.height() / aspect);
        return QRect(area.left() + (area.width() - width) / 2, area.top(), width, area.height());
    }
    const int height = static_cast<int>(area.width() * aspect);
    return QRect(area.left(), area.top() + (area.height() - height) / 2, area.width(), height);
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const QRect paper = PaperRect();
    if (paper.isEmpty())
        return;
    painter.fillRect(paper, Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    m_commands.PreviewPage().play(painter, paper);
}

void PreviewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void PreviewWidget::scrollContentsBy(int, int) {
    viewport()->update();
}

void PreviewWidget::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_PageDown:
            m_commands.NextPage();
            return;
        case Qt::Key_PageUp:
            m_commands.PreviousPage();
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal: // "+" without Shift on most layouts
            m_commands.ZoomIn();
            return;
        case Qt::Key_Minus:
            m_commands.ZoomOut();
            return;
        default:
            break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void PreviewWidget::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y();
        if (steps > 0)
            m_commands.ZoomIn();
        else if (steps < 0)
            m_commands.ZoomOut();
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}
