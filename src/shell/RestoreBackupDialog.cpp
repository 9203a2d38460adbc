#include "RestoreBackupDialog.h"
#include "shell/HelpTopics.h"

#include "WaitCursor.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kPathRole = Qt::UserRole;
}

RestoreBackupDialog::RestoreBackupDialog(const QString& document, const std::vector<BackupStore::Backup>& backups,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Restore Backup"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Backups));
    auto* text = new QLabel(QStringLiteral("Backups of %1, newest first. The one you open becomes an untitled copy; "
                                           "the file itself stays as it is.")
                                .arg(document),
                            this);
    text->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("backupList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("Saved"), QStringLiteral("Size"), QStringLiteral("Persons"),
                             QStringLiteral("Tasks"), QStringLiteral("Appointments")});
    const QLocale locale;
    {
        WaitCursor wait; // every backup is read for its record counts
        for (const BackupStore::Backup& backup : backups) {
            // Saves a minute apart are told apart by their seconds.
            QStringList cells{locale.toString(backup.savedAt.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                                  backup.savedAt.time().toString(QStringLiteral("HH:mm:ss")),
                              locale.formattedDataSize(backup.size)};
            if (const std::optional<BackupStore::RecordCounts> counts = BackupStore::CountRecords(backup.path))
                cells << locale.toString(qulonglong(counts->persons)) << locale.toString(qulonglong(counts->tasks))
                      << locale.toString(qulonglong(counts->appointments));
            else
                cells << QStringLiteral("unreadable");
            auto* item = new QTreeWidgetItem(m_list, cells);
            item->setData(0, kPathRole, backup.path);
            for (int column = 1; column < cells.size(); ++column)
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
    m_list->setCurrentItem(m_list->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 300);
}

std::optional<QString> RestoreBackupDialog::ChosenPath() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return std::nullopt;
    return item->data(0, kPathRole).toString();
}
