#include "Artwork.h"

#include "CommandIds.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

static void initArtworkResources() {
    Q_INIT_RESOURCE(artwork);
}

namespace {

QPixmap canvas() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A small printer: the fallback where the style has no such picture.
QIcon drawnPrinter() {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5);
    return QIcon(pixmap);
}

QIcon drawnMagnifier(int sign) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (sign > 0)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    return QIcon(pixmap);
}

// A question mark in the palette's button text colour, so that it shows on a dark toolbar as on a
// light one (the style's own picture is drawn black).
QIcon drawnQuestionMark() {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QApplication::palette().color(QPalette::ButtonText));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(pixmap);
}

QIcon themed(const char* name, QStyle::StandardPixmap fallback) {
    const QString themeName = QString::fromLatin1(name);
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return QApplication::style()->standardIcon(fallback);
}

QIcon themed(const char* name, const QIcon& fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), fallback);
}

} // namespace

namespace Artwork {

QPixmap Logo() {
    initArtworkResources();
    return QPixmap(QStringLiteral(":/artwork/logo.png"));
}

QIcon WindowIcon() {
    return QIcon(Logo());
}

QIcon CommandIcon(int id) {
    switch (id) {
    case cmd::FileNew:
        return themed("document-new", QStyle::SP_FileIcon);
    case cmd::FileOpen:
        return themed("document-open", QStyle::SP_DialogOpenButton);
    case cmd::FileSave:
        return themed("document-save", QStyle::SP_DialogSaveButton);
    case cmd::FilePrintPreview:
        return themed("document-print-preview", QStyle::SP_FileDialogContentsView);
    case cmd::FilePrint:
        return themed("document-print", drawnPrinter());
    case cmd::FilePageSetup:
        return themed("document-page-setup", QStyle::SP_FileDialogDetailedView);
    case cmd::HelpAbout:
        return themed("help-about", QStyle::SP_MessageBoxInformation);
    case cmd::ContextHelp:
        return themed("help-contextual", drawnQuestionMark());
    case cmd::PreviewPrevPage:
        return themed("go-previous", QStyle::SP_ArrowBack);
    case cmd::PreviewNextPage:
        return themed("go-next", QStyle::SP_ArrowForward);
    case cmd::PreviewZoomIn:
        return themed("zoom-in", drawnMagnifier(+1));
    case cmd::PreviewZoomOut:
        return themed("zoom-out", drawnMagnifier(-1));
    case cmd::PreviewClose:
        return themed("window-close", QStyle::SP_DialogCloseButton);
    default:
        return {};
    }
}

} // namespace Artwork
