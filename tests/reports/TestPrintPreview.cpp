#include "ReportFixtures.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/PreviewController.h"
#include "reports/PreviewWidget.h"
#include "reports/PrintCommands.h"
#include "support/FakePrintDialogs.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

using fixtures::selection;

namespace {

// Pixels of the image that are not white, within rect.
int inkIn(const QImage& image, const QRect& rect) {
    int ink = 0;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                ++ink;
    return ink;
}

QStringList texts(const QSignalSpy& spy) {
    QStringList list;
    for (const QList<QVariant>& call : spy)
        list << call.at(0).toString();
    return list;
}

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controllerKeepsPageInRange();
    void previewStepsThroughPages();
    void previewZooms();
    void previewWithoutPagesShowsNothing();
    void previewPageRendersOnThePaper();
    void pageSetupRedrawsThePreview();
    void widgetFitsThePaperAndScrollsWhenZoomed();
    void keysTurnPagesAndZoom();
};

void TestPrintPreview::controllerKeepsPageInRange() {
    PreviewController c;
    c.Enter(5);
    c.NextPage();
    c.NextPage();
    c.NextPage();
    c.SetPageCount(2);
    QCOMPARE(c.CurrentPage(), 1);
    QVERIFY(!c.CanNextPage());
    c.SetPageCount(0);
    QCOMPARE(c.CurrentPage(), 0);
    QVERIFY(!c.CanPreviousPage());
    QVERIFY(!c.CanNextPage());
}

void TestPrintPreview::previewStepsThroughPages() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    QSignalSpy status(&commands, &PrintCommands::statusText);
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyAppointments, 130, 0)));
    const PreviewController& preview = commands.Preview();
    QVERIFY(preview.InPreview());
    QCOMPARE(preview.PageCount(), 3);
    QVERIFY(!commands.PreviewPage().isNull());
    QVERIFY(!commands.PreviousPage());
    QVERIFY(commands.NextPage());
    QVERIFY(commands.NextPage());
    QVERIFY(!preview.CanNextPage());
    QVERIFY(!commands.NextPage());
    QVERIFY(commands.PreviousPage());
    QCOMPARE(preview.CurrentPage(), 1);
    QCOMPARE(texts(status), (QStringList{QStringLiteral("Page 1 of 3"), QStringLiteral("Page 2 of 3"),
                                         QStringLiteral("Page 3 of 3"), QStringLiteral("Page 2 of 3")}));

    commands.LeavePreview();
    QVERIFY(!preview.InPreview());
    QVERIFY(!commands.PreviewReport());
    QVERIFY(commands.PreviewPage().isNull());
}

void TestPrintPreview::previewZooms() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    const PreviewController& preview = commands.Preview();
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyTasks, 0, 3)));
    QSignalSpy changed(&commands, &PrintCommands::previewChanged);
    QVERIFY(!preview.CanZoomOut());
    QVERIFY(!commands.ZoomOut());
    QList<int> levels;
    while (commands.ZoomIn())
        levels << preview.ZoomLevel();
    QCOMPARE(levels, (QList<int>{200, 400, 800}));
    QCOMPARE(changed.size(), 3);
    QVERIFY(!preview.CanZoomIn());
    levels.clear();
    while (commands.ZoomOut())
        levels << preview.ZoomLevel();
    QCOMPARE(levels, (QList<int>{400, 200, 0}));

    // Leaving the preview forgets the zoom.
    QVERIFY(commands.ZoomIn());
    commands.LeavePreview();
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyTasks, 0, 3)));
    QCOMPARE(preview.ZoomLevel(), 0);
}

void TestPrintPreview::previewWithoutPagesShowsNothing() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    QVERIFY(!commands.EnterPreview(selection(ReportKind::None, 3, 3)));
    QVERIFY(!commands.Preview().InPreview());

    QSignalSpy status(&commands, &PrintCommands::statusText);
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyPlan, 0, 0)));
    QVERIFY(commands.Preview().InPreview());
    QCOMPARE(commands.Preview().PageCount(), 0);
    QVERIFY(commands.PreviewPage().isNull());
    QVERIFY(!commands.Preview().CanNextPage());
    QCOMPARE(status.size(), 0);
}

void TestPrintPreview::previewPageRendersOnThePaper() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyPlan, 20, 20)));
    const platform::PageRecording& page = commands.PreviewPage();
    const QSizeF paper = page.paperSize(); // inches
    QVERIFY(paper.width() > 6 && paper.height() > 8);

    // The page at 50 pixels per inch.
    const QSize size(qRound(paper.width() * 50), qRound(paper.height() * 50));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.play(painter, QRectF(QPointF(0, 0), size));
    painter.end();

    QVERIFY(inkIn(image, image.rect()) > 1000);
    // Inside the one-inch margins there is ink; outside them, none.
    QVERIFY(inkIn(image, QRect(50, 50, size.width() - 100, size.height() - 100)) > 1000);
    QCOMPARE(inkIn(image, QRect(0, 0, size.width(), 45)), 0);
    QCOMPARE(inkIn(image, QRect(0, 0, 45, size.height())), 0);
    QCOMPARE(inkIn(image, QRect(size.width() - 45, 0, 45, size.height())), 0);
    QCOMPARE(inkIn(image, QRect(0, size.height() - 45, size.width(), 45)), 0);
}

void TestPrintPreview::pageSetupRedrawsThePreview() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyTasks, 0, 50)));
    const int before = commands.Preview().PageCount();
    QVERIFY(commands.NextPage() || before == 1);
    QSignalSpy status(&commands, &PrintCommands::statusText);
    dialogs.nextMarginsMillimetres = QMarginsF(25.4, 101.6, 25.4, 101.6); // four inches top and bottom
    QVERIFY(commands.PageSetup(selection(ReportKind::DailyTasks, 0, 50)));
    QVERIFY(commands.Preview().PageCount() > before);
    QCOMPARE(commands.Preview().PageCount(), commands.PreviewReport()->GetPageCount());
    QCOMPARE(status.size(), 1);
    QCOMPARE(
        status.at(0).at(0).toString(),
        QStringLiteral("Page %1 of %2").arg(commands.Preview().CurrentPage() + 1).arg(commands.Preview().PageCount()));
}

// Page 2 of a plan is in reach of the keyboard: Page Down and Up turn pages, + and - zoom, and so
// does Ctrl with the wheel.
void TestPrintPreview::keysTurnPagesAndZoom() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    PreviewWidget widget(commands);
    widget.resize(400, 500);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyAppointments, 130, 0)));
    const PreviewController& preview = commands.Preview();
    QVERIFY(widget.focusPolicy() & Qt::TabFocus);

    QTest::keyClick(&widget, Qt::Key_PageDown);
    QTest::keyClick(&widget, Qt::Key_PageDown);
    QCOMPARE(preview.CurrentPage(), 2);
    QTest::keyClick(&widget, Qt::Key_PageUp);
    QCOMPARE(preview.CurrentPage(), 1);

    QTest::keyClick(&widget, Qt::Key_Plus);
    QCOMPARE(preview.ZoomLevel(), 200);
    QTest::keyClick(&widget, Qt::Key_Equal);
    QCOMPARE(preview.ZoomLevel(), 400);
    QTest::keyClick(&widget, Qt::Key_Minus);
    QCOMPARE(preview.ZoomLevel(), 200);

    const QPoint middle = widget.viewport()->rect().center();
    QWheelEvent in(middle, widget.viewport()->mapToGlobal(middle), {}, QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget.viewport(), &in);
    QCOMPARE(preview.ZoomLevel(), 400);
    QWheelEvent out(middle, widget.viewport()->mapToGlobal(middle), {}, QPoint(0, -120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget.viewport(), &out);
    QCOMPARE(preview.ZoomLevel(), 200);
    QCOMPARE(preview.CurrentPage(), 1);
}

void TestPrintPreview::widgetFitsThePaperAndScrollsWhenZoomed() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    PreviewWidget widget(commands);
    widget.resize(800, 600);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QVERIFY(widget.PaperRect().isEmpty());

    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyAppointments, 10, 0)));
    const QSize view = widget.viewport()->size();
    const QRect paper = widget.PaperRect();
    // Wider window than the paper: full height less the inset, centred across.
    QCOMPARE(paper.top(), 10);
    QCOMPARE(paper.height(), view.height() - 20);
    QVERIFY(qAbs(paper.left() + paper.width() / 2 - view.width() / 2) <= 1);
    const QSizeF inches = commands.PreviewPage().paperSize();
    QVERIFY(qAbs(paper.width() / double(paper.height()) - inches.width() / inches.height()) < 0.01);
    QVERIFY(!widget.horizontalScrollBar()->isVisible());

    const QImage shot = widget.grab().toImage();
    QCOMPARE(shot.pixel(3, 3), widget.palette().color(QPalette::Dark).rgb());
    QCOMPARE(shot.pixel(paper.left() + 2, paper.top() + 2), QColor(Qt::white).rgb());
    QVERIFY(inkIn(shot, paper) > 100);

    // Tall window: full width, centred down.
    widget.resize(300, 900);
    const QRect fitted = widget.PaperRect();
    QCOMPARE(fitted.left(), 10);
    QCOMPARE(fitted.width(), widget.viewport()->width() - 20);

    QVERIFY(commands.ZoomIn());
    QCOMPARE(widget.horizontalScrollBar()->maximum(), 200);
    QCOMPARE(widget.verticalScrollBar()->maximum(), 200);
    // From zoom 0 the view starts at the centre.
    QCOMPARE(widget.horizontalScrollBar()->value(), 100);
    QCOMPARE(widget.verticalScrollBar()->value(), 100);
    QVERIFY(widget.PaperRect().height() > fitted.height());

    widget.verticalScrollBar()->setValue(50);
    const int viewHeight = widget.viewport()->height();
    QVERIFY(commands.ZoomIn());
    QCOMPARE(widget.verticalScrollBar()->maximum(), 400);
    QCOMPARE(widget.verticalScrollBar()->value(), 50 * (viewHeight + 400) / (viewHeight + 200));

    QVERIFY(commands.ZoomOut());
    QVERIFY(commands.ZoomOut());
    QCOMPARE(widget.verticalScrollBar()->maximum(), 0);
    QCOMPARE(widget.PaperRect(), fitted);
}

TAVORO_TEST_MAIN(TestPrintPreview)
#include "TestPrintPreview.moc"
