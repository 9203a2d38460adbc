#pragma once

#include "docfile/BackupStore.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTreeWidget;

// "Restore Backup": the automatic backups of the open document, newest first, with the time of
// the save, the size and the records each holds. Open takes the selected one.
class RestoreBackupDialog : public QDialog {
    Q_OBJECT
public:
    RestoreBackupDialog(const QString& document, const std::vector<BackupStore::Backup>& backups,
                        QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    // The backup selected, if any.
    std::optional<QString> ChosenPath() const;

private:
    QTreeWidget* m_list = nullptr;
};
