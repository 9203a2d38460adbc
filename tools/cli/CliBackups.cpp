#include "CliBackups.h"

#include "CliArguments.h"
#include "docfile/BackupStore.h"

#include <cstdio>

int runBackups(const QStringList& args) {
    CliArguments arguments(kBackupsUsage);
    if (!arguments.Parse(args, 1))
        return kCliUsageError;
    const QString& document = arguments.Word(0);
    const std::vector<BackupStore::Backup> backups = BackupStore::Standard().List(document);
    if (backups.empty()) {
        std::printf("no backups of %s\n", qPrintable(document));
        return kCliSuccess;
    }
    for (const BackupStore::Backup& backup : backups) {
        QString records = QStringLiteral("unreadable");
        if (const std::optional<BackupStore::RecordCounts> counts = BackupStore::CountRecords(backup.path))
            records = QStringLiteral("%1 persons, %2 tasks, %3 appointments")
                          .arg(counts->persons)
                          .arg(counts->tasks)
                          .arg(counts->appointments);
        std::printf("%s  %lld bytes  %s  %s\n",
                    qPrintable(backup.savedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                    static_cast<long long>(backup.size), qPrintable(records), qPrintable(backup.path));
    }
    return kCliSuccess;
}
