#include "SplashWindow.h"

#include "Artwork.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

SplashWindow::SplashWindow(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("splash"));
    setAutoFillBackground(true);
    auto* logo = new QLabel(this);
    logo->setPixmap(Artwork::Logo());
    logo->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(QStringLiteral("Tavoro!"), this);
    QFont nameFont = name->font();
    nameFont.setPointSize(24);
    nameFont.setBold(true);
    nameFont.setItalic(true);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version 1.5"), this);
    version->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 24, 40, 24);
    layout->addWidget(logo);
    layout->addWidget(name);
    layout->addWidget(version);
    setStyleSheet(QStringLiteral("QDialog#splash { border: 1px solid palette(dark); }"));

    QTimer::singleShot(ShowMilliseconds, this, &QDialog::accept);
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (std::exchange(m_painted, true))
        return;
    // Queued: the labels are painted and the window is flushed to the screen first.
    QTimer::singleShot(0, this, &SplashWindow::shown);
}

void SplashWindow::mousePressEvent(QMouseEvent* /*event*/) {
    accept();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
        (event->modifiers() & Qt::AltModifier) || key == Qt::Key_Alt)
        accept();
    else
        QDialog::keyPressEvent(event);
}
