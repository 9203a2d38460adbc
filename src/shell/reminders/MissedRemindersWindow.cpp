#include "MissedRemindersWindow.h"
#include "shell/HelpTopics.h"

#include "ReminderList.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MissedRemindersWindow::MissedRemindersWindow(const QList<ReminderRow>& rows, const QString& explanation, int older,
                                             QWidget* over)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    // Like the reminder window: seen whatever the main window does, and never keeping the program
    // running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Reminders));
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MissedReminders"));
    setWindowTitle(QStringLiteral("Missed reminders"));

    m_explanation = new QLabel(explanation, this);
    m_explanation->setObjectName(QStringLiteral("explanation"));
    m_explanation->setWordWrap(true);
    m_older = new QLabel(this);
    m_older->setObjectName(QStringLiteral("olderLine"));
    if (older == 1)
        m_older->setText(QStringLiteral("1 older reminder was left out."));
    else if (older > 1)
        m_older->setText(QStringLiteral("%1 older reminders were left out.").arg(older));
    m_older->setVisible(older > 0);

    m_list = new ReminderList({QStringLiteral("Time"), QStringLiteral("Date"), QStringLiteral("Appointment")}, this);
    m_list->setAccessibleName(QStringLiteral("Missed reminders"));
    for (const ReminderRow& row : rows) {
        m_list->AddRow({row.start, row.date, row.description})->setData(0, Qt::UserRole, int(m_keys.size()));
        m_keys << row.key;
    }
    m_list->FitRows();
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* all = buttons->addButton(QStringLiteral("Turn off &all"), QDialogButtonBox::ActionRole);
    all->setObjectName(QStringLiteral("turnOffAllButton"));
    QPushButton* selected = buttons->addButton(QStringLiteral("Turn off &selected"), QDialogButtonBox::ActionRole);
    selected->setObjectName(QStringLiteral("turnOffSelectedButton"));
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    connect(all, &QPushButton::clicked, this, [this] { turnOff(false); });
    connect(selected, &QPushButton::clicked, this, [this] { turnOff(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_explanation);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_older);
    layout->addWidget(buttons);

    adjustSize();
    // Near the main window's corner: a reminder window opening at the same time takes its middle.
    if (over && over->window()->isVisible() && !over->window()->isMinimized())
        move(over->window()->frameGeometry().topLeft() + QPoint(40, 40));
}

QString MissedRemindersWindow::OlderLine() const {
    return m_older->text();
}

QList<OccurrenceKey> MissedRemindersWindow::Listed() const {
    QList<OccurrenceKey> keys;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        keys << m_keys.at(m_list->topLevelItem(row)->data(0, Qt::UserRole).toInt());
    return keys;
}

void MissedRemindersWindow::turnOff(bool onlySelected) {
    QList<OccurrenceKey> ids;
    for (int row = m_list->topLevelItemCount() - 1; row >= 0; --row) {
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (onlySelected && !item->isSelected())
            continue;
        ids.prepend(m_keys.at(item->data(0, Qt::UserRole).toInt()));
        delete item;
    }
    if (!ids.isEmpty())
        emit turnedOff(ids);
    if (m_list->topLevelItemCount() == 0)
        accept();
}
