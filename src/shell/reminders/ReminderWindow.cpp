#include "ReminderWindow.h"

#include "SoundPlayer.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

ReminderWindow::ReminderWindow(const QString& caption, const QString& message, const QString& soundFile, bool audible,
                               SoundPlayer& sound, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_soundFile(soundFile),
      m_audible(audible), m_sound(sound) {
    setWindowTitle(caption);
    setObjectName(QStringLiteral("AppointmentReminder"));

    auto* text = new QLabel(message, this);
    text->setObjectName(QStringLiteral("Message"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text->setAutoFillBackground(true);
    text->setBackgroundRole(QPalette::Base);
    text->setMinimumHeight(40);

    auto* frame = new QGroupBox(this);
    m_turnOffBox = new QCheckBox(QStringLiteral("&Turn off reminder"), frame);
    m_turnOffBox->setObjectName(QStringLiteral("TurnOff"));
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(m_turnOffBox);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ReminderWindow::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(frame);
    bottom->addStretch();
    bottom->addWidget(ok, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(bottom);

    m_repeat.setInterval(RepeatMs);
    connect(&m_repeat, &QTimer::timeout, this, &ReminderWindow::Repeat);
}

void ReminderWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_repeat.isActive())
        return;
    PlaceOverParent();
    raise();
    activateWindow();
    m_repeat.start();
    if (m_audible)
        m_sound.PlayLooping(m_soundFile);
}

void ReminderWindow::Repeat() {
    show();
    raise();
    activateWindow();
    if (m_audible) {
        m_sound.Stop();
        m_sound.PlayLooping(m_soundFile);
    }
}

void ReminderWindow::accept() {
    m_turnOff = m_turnOffBox->isChecked();
    m_repeat.stop();
    m_sound.Stop();
    m_closing = true;
    QDialog::accept();
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
    if (!m_closing)
        event->ignore();
}

// Over the main window while it can be seen, else in the middle of the screen's work area.
void ReminderWindow::PlaceOverParent() {
    adjustSize();
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (over && over->isVisible() && !over->isMinimized())
        area = over->frameGeometry();
    QScreen* screen = over ? over->screen() : this->screen();
    const QRect work = screen ? screen->availableGeometry() : QRect();
    if (!area.isValid())
        area = work;
    QRect placed(QPoint(), frameGeometry().size());
    placed.moveCenter(area.center());
    if (work.isValid()) {
        placed.moveRight(std::min(placed.right(), work.right()));
        placed.moveBottom(std::min(placed.bottom(), work.bottom()));
        placed.moveLeft(std::max(placed.left(), work.left()));
        placed.moveTop(std::max(placed.top(), work.top()));
    }
    move(placed.topLeft());
}
