#include "ReminderWindow.h"
#include "shell/HelpTopics.h"

#include "ReminderList.h"
#include "SoundPlayer.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include <algorithm>

namespace {
QString snoozeText(int minutes) {
    return minutes == 60 ? QStringLiteral("1 hour") : QStringLiteral("%1 minutes").arg(minutes);
}
} // namespace

ReminderWindow::ReminderWindow(const QString& soundFile, bool audible, SoundPlayer& sound, QWidget* over)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_soundFile(soundFile), m_audible(audible), m_sound(sound), m_over(over) {
    // A window of its own rather than the main window's child: it shows when the main window is
    // minimized or on another workspace, and it does not keep the program running once the main
    // window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("AppointmentReminder"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Reminders));

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("Message"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_message->setAutoFillBackground(true);
    m_message->setBackgroundRole(QPalette::Base);
    m_message->setMinimumHeight(40);

    m_list = new ReminderList(
        {QStringLiteral("Date"), QStringLiteral("Start"), QStringLiteral("End"), QStringLiteral("Appointment")}, this);
    m_list->setAccessibleName(QStringLiteral("Reminders"));

    auto* frame = new QGroupBox(this);
    m_turnOffBox = new QCheckBox(QStringLiteral("&Turn off reminder"), frame);
    m_turnOffBox->setObjectName(QStringLiteral("TurnOff"));
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(m_turnOffBox);

    m_snoozeChoice = new QComboBox(this);
    m_snoozeChoice->setObjectName(QStringLiteral("SnoozeChoice"));
    for (int minutes : SnoozeMinutes)
        m_snoozeChoice->addItem(snoozeText(minutes), minutes);
    auto* snoozeLabel = new QLabel(QStringLiteral("Snooze &for:"), this);
    snoozeLabel->setBuddy(m_snoozeChoice);
    auto* snoozeButton = new QPushButton(QStringLiteral("&Snooze"), this);
    snoozeButton->setObjectName(QStringLiteral("snoozeButton"));
    snoozeButton->setAutoDefault(false);
    connect(snoozeButton, &QPushButton::clicked, this, &ReminderWindow::snooze);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ReminderWindow::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(frame);
    bottom->addStretch();
    bottom->addWidget(snoozeLabel, 0, Qt::AlignBottom);
    bottom->addWidget(m_snoozeChoice, 0, Qt::AlignBottom);
    bottom->addWidget(snoozeButton, 0, Qt::AlignBottom);
    bottom->addSpacing(12);
    bottom->addWidget(ok, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    m_repeat.setInterval(RepeatMs);
    connect(&m_repeat, &QTimer::timeout, this, &ReminderWindow::Repeat);
}

void ReminderWindow::Add(const QList<ReminderRow>& rows) {
    for (const ReminderRow& row : rows) {
        if (Lists(row.key))
            continue;
        m_rows.append(row);
        // The newcomers are among those that OK and Snooze act on.
        m_list->AddRow({row.date, row.start, row.end, row.description})->setSelected(true);
    }
    m_list->FitRows();
    if (isVisible())
        resize(size().expandedTo(sizeHint()));
    showCount();
}

bool ReminderWindow::Lists(const OccurrenceKey& key) const {
    return std::any_of(m_rows.begin(), m_rows.end(), [&key](const ReminderRow& row) { return row.key == key; });
}

QList<OccurrenceKey> ReminderWindow::Listed() const {
    QList<OccurrenceKey> keys;
    for (const ReminderRow& row : m_rows)
        keys << row.key;
    return keys;
}

void ReminderWindow::Drop(const OccurrenceKey& key) {
    for (int row = 0; row < m_rows.size(); ++row) {
        if (!(m_rows.at(row).key == key))
            continue;
        m_rows.removeAt(row);
        delete m_list->topLevelItem(row);
        break;
    }
    showCount();
    closeWhenEmpty();
}

// One alarm keeps the single reminder's caption and message; several are counted.
void ReminderWindow::showCount() {
    if (m_rows.size() == 1) {
        setWindowTitle(m_rows.first().caption);
        m_message->setText(m_rows.first().message);
    } else if (m_rows.size() > 1) {
        setWindowTitle(QStringLiteral("Reminder: %1 appointments").arg(m_rows.size()));
        m_message->setText(QStringLiteral("These are your reminders for %1 appointments.").arg(m_rows.size()));
    }
}

QList<OccurrenceKey> ReminderWindow::takeChosen() {
    QList<OccurrenceKey> chosen;
    const bool any = !m_list->selectedItems().isEmpty();
    for (int row = m_rows.size() - 1; row >= 0; --row) {
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (any && !item->isSelected())
            continue;
        chosen.prepend(m_rows.at(row).key);
        m_rows.removeAt(row);
        delete item;
    }
    showCount();
    return chosen;
}

void ReminderWindow::closeWhenEmpty() {
    if (!m_rows.isEmpty() || m_closing)
        return;
    m_repeat.stop();
    m_sound.Stop();
    m_closing = true;
    QDialog::accept();
}

void ReminderWindow::accept() {
    const QList<OccurrenceKey> chosen = takeChosen();
    const bool turnOff = m_turnOffBox->isChecked();
    m_turnOffBox->setChecked(false);
    if (turnOff)
        emit turnedOff(chosen);
    else
        emit dismissed(chosen);
    closeWhenEmpty();
}

void ReminderWindow::snooze() {
    const QList<OccurrenceKey> chosen = takeChosen();
    emit snoozed(chosen, m_snoozeChoice->currentData().toInt());
    closeWhenEmpty();
}

void ReminderWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_repeat.isActive())
        return;
    placeOverWindow();
    Raise();
    m_repeat.start();
    if (m_audible)
        m_sound.PlayLooping(m_soundFile);
}

void ReminderWindow::Raise() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ReminderWindow::Repeat() {
    Raise();
    if (m_audible) {
        m_sound.Stop();
        m_sound.PlayLooping(m_soundFile);
    }
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
    if (!m_closing)
        event->ignore();
}

// Over the main window while it can be seen, else in the middle of the screen's work area.
void ReminderWindow::placeOverWindow() {
    adjustSize();
    const QWidget* over = m_over ? m_over->window() : nullptr;
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
