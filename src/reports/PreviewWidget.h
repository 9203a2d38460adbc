#pragma once

#include <QAbstractScrollArea>

class PrintCommands;

// The print preview's page, shown in place of the day view: the current page drawn on the
// button-shadow colour, kept in the paper's proportions 10 pixels inside the window at zoom 0, and
// with scroll bars over an area enlarged by the zoom level when zoomed in. It follows
// PrintCommands::previewChanged by itself; the main window only puts it in place. Page Up and
// Page Down turn the pages, + and - (and Ctrl with the wheel) zoom, the arrows scroll.
class PreviewWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PreviewWidget(PrintCommands& commands, QWidget* parent = nullptr);

    // Where the paper lies in the viewport at the current zoom and scroll position; empty when
    // there is no page to show.
    QRect PaperRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Refresh();
    void UpdateScrollBars();

    PrintCommands& m_commands;
    int m_zoom = 0;
};
