#include "platform/gui/PainterSurface.h"
#include "platform/gui/RecordingSurface.h"
#include "support/TestMain.h"

#include <QImage>
#include <QObject>
#include <QPainter>

using platform::BackgroundMode;
using platform::DeviceMetrics;
using platform::Font;
using platform::PainterSurface;
using platform::Rect;

namespace {

const DeviceMetrics kImage{96, 96, 400, 200, 0, 0};
const Font kSerif{QStringLiteral("Liberation Serif"), -40, 400};

// The smallest rectangle holding every pixel that is not white; empty for a blank image.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage blank() {
    QImage image(kImage.physicalWidth, kImage.physicalHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A white image and a surface painting on it.
struct Canvas {
    QImage image = blank();
    QPainter painter{&image};
    PainterSurface surface{&painter, kImage};
};

} // namespace

class TestPainterSurface : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void metricsComeFromTheFont();
    void textHangsFromItsTopLeftCorner();
    void clippedTextStopsAtTheEdge();
    void wrappedTextBreaksAtWords();
    void linesCoverTheirPixels();
    void opaqueBackgroundCoversOnlyTheText();
    void saveAndRestoreBracketState();
    void measuringSurfaceDrawsNothing();
    void recordingSurfaceWrapsByWords();
};

void TestPainterSurface::metricsComeFromTheFont() {
    Canvas c;
    QCOMPARE(c.surface.deviceCaps(platform::DeviceCap::PhysicalWidth), 400);
    QCOMPARE(c.surface.selectFont(kSerif), Font());
    // A negative height is the characters' height in pixels; the cell is a little taller.
    const QSize regular = c.surface.textExtent(QStringLiteral("DAILY PLAN"));
    QCOMPARE(regular.height(), c.surface.textMetrics().height);
    QVERIFY2(regular.height() > 40 && regular.height() < 50, qPrintable(QString::number(regular.height())));
    c.surface.selectFont({kSerif.face, -40, 700});
    QVERIFY(c.surface.textExtent(QStringLiteral("DAILY PLAN")).width() > regular.width());
}

void TestPainterSurface::textHangsFromItsTopLeftCorner() {
    Canvas c;
    c.surface.selectFont(kSerif);
    c.surface.textOut(50, 60, QStringLiteral("HH"));
    c.painter.end();
    const QRect ink = inkBounds(c.image);
    QVERIFY(!ink.isEmpty());
    // Capitals start a little below the top of the cell and end on the baseline.
    QVERIFY2(ink.left() >= 50 && ink.left() <= 54, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= 60 && ink.top() <= 60 + 12, qPrintable(QString::number(ink.top())));
    QVERIFY(ink.bottom() <= 60 + c.surface.textMetrics().height);
}

void TestPainterSurface::clippedTextStopsAtTheEdge() {
    Canvas c;
    c.surface.selectFont(kSerif);
    c.surface.textOutClipped(10, 10, Rect{10, 10, 120, 60}, QStringLiteral("Mmmmmmmmmmmmmmmm"));
    c.painter.end();
    const QRect ink = inkBounds(c.image);
    QVERIFY(ink.width() > 80);
    QVERIFY(ink.right() < 120);
}

void TestPainterSurface::wrappedTextBreaksAtWords() {
    Canvas c;
    c.surface.selectFont({kSerif.face, -20, 400});
    const int oneLine = c.surface.drawTextWrapped(Rect{0, 0, 400, 100}, QStringLiteral("Call Bob"));
    c.image.fill(Qt::white);
    const int height =
        c.surface.drawTextWrapped(Rect{200, 20, 300, 90}, QStringLiteral("Call Bob about the kitchen tap today"));
    c.painter.end();
    QVERIFY(height >= 3 * oneLine);
    const QRect ink = inkBounds(c.image);
    QVERIFY(ink.left() >= 200 && ink.right() < 300);
    QVERIFY(ink.top() >= 20 && ink.bottom() < 90);
}

void TestPainterSurface::linesCoverTheirPixels() {
    Canvas c;
    c.surface.moveTo(10, 50);
    c.surface.lineTo(190, 50);
    c.surface.selectPen({5, Qt::black});
    c.surface.moveTo(300, 20);
    c.surface.lineTo(300, 120);
    c.painter.end();
    QVERIFY(qGray(c.image.pixel(100, 50)) < 100);
    QCOMPARE(qGray(c.image.pixel(100, 49)), 255);
    QCOMPARE(qGray(c.image.pixel(100, 51)), 255);
    QVERIFY(qGray(c.image.pixel(298, 70)) < 100);
    QVERIFY(qGray(c.image.pixel(302, 70)) < 100);
    QCOMPARE(qGray(c.image.pixel(300, 150)), 255);
}

void TestPainterSurface::opaqueBackgroundCoversOnlyTheText() {
    Canvas c;
    c.surface.selectFont(kSerif);
    QCOMPARE(c.surface.setBackgroundMode(BackgroundMode::Opaque), BackgroundMode::Transparent);
    QCOMPARE(c.surface.setBackgroundColor(QColor(192, 192, 192)), QColor(Qt::white));
    c.surface.textOut(20, 20, QStringLiteral("i"));
    const int width = c.surface.textExtent(QStringLiteral("i")).width();
    c.painter.end();
    QCOMPARE(QColor(c.image.pixel(20, 21)), QColor(192, 192, 192));
    QCOMPARE(QColor(c.image.pixel(20 + width + 1, 21)), QColor(Qt::white));
    QCOMPARE(QColor(c.image.pixel(20, 19)), QColor(Qt::white));
}

void TestPainterSurface::saveAndRestoreBracketState() {
    Canvas c;
    QVERIFY(!c.surface.restore());
    c.surface.selectFont(kSerif);
    const int height = c.surface.textMetrics().height;
    c.surface.save();
    c.surface.selectFont({kSerif.face, -10, 700});
    c.surface.selectPen({3, Qt::red});
    c.surface.setBackgroundMode(BackgroundMode::Opaque);
    QVERIFY(c.surface.restore());
    QCOMPARE(c.surface.selectFont(kSerif), kSerif);
    QCOMPARE(c.surface.selectPen({}), platform::Pen());
    QCOMPARE(c.surface.setBackgroundMode(BackgroundMode::Transparent), BackgroundMode::Transparent);
    QCOMPARE(c.surface.textMetrics().height, height);
}

void TestPainterSurface::measuringSurfaceDrawsNothing() {
    QImage image = blank();
    PainterSurface surface(nullptr, kImage, &image);
    surface.selectFont(kSerif);
    QVERIFY(surface.textMetrics().height > 40);
    surface.textOut(0, 0, QStringLiteral("text"));
    surface.textOutClipped(0, 0, Rect{0, 0, 10, 10}, QStringLiteral("text"));
    surface.moveTo(0, 0);
    surface.lineTo(100, 100);
    QVERIFY(surface.drawTextWrapped(Rect{0, 0, 60, 400}, QStringLiteral("one two three four")) >
            surface.textMetrics().height);
    QVERIFY(inkBounds(image).isEmpty());
}

void TestPainterSurface::recordingSurfaceWrapsByWords() {
    platform::RecordingSurface surface;
    surface.selectFont({QStringLiteral("Times New Roman"), -20, 400}); // 10 units a character
    const int height = surface.drawTextWrapped(Rect{0, 0, 100, 500}, QStringLiteral("one two three four\nfive"));
    const auto& call = surface.texts().back();
    QCOMPARE(call.wrappedLines,
             (QStringList{QStringLiteral("one two"), QStringLiteral("three four"), QStringLiteral("five")}));
    QCOMPARE(height, 3 * 25 + 2 * 2);
}

TAVORO_TEST_MAIN(TestPainterSurface)
#include "TestPainterSurface.moc"
