#include "CliBackups.h"

#include "CliArguments.h"
#include "CliDocfile.h"
#include "docfile/BackupStore.h"
#include "docfile/DocumentLock.h"

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(message));
    return kCliFailure;
}

QString describe(const BackupStore::RecordCounts& counts) {
    return QStringLiteral("%1 persons, %2 tasks, %3 appointments")
        .arg(counts.persons)
        .arg(counts.tasks)
        .arg(counts.appointments);
}

} // namespace

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
            records = describe(*counts);
        std::printf("%s  %lld bytes  %s  %s\n",
                    qPrintable(backup.savedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                    static_cast<long long>(backup.size), qPrintable(records), qPrintable(backup.path));
    }
    return kCliSuccess;
}

int runRestore(const QStringList& args) {
    CliArguments arguments(kRestoreUsage,
                           {{QStringLiteral("to"), QStringLiteral("File to write."), QStringLiteral("FILE")}});
    if (!arguments.Parse(args, 1, 2))
        return kCliUsageError;
    const QString& document = arguments.Word(0);
    const QString target = arguments.IsSet(QStringLiteral("to")) ? arguments.Value(QStringLiteral("to")) : document;
    const BackupStore backups = BackupStore::Standard();
    QString backup;
    if (arguments.WordCount() == 2) {
        backup = arguments.Word(1);
    } else {
        const std::vector<BackupStore::Backup> kept = backups.List(document);
        if (kept.empty())
            return fail(QStringLiteral("there are no backups of %1").arg(document));
        backup = kept.front().path;
    }
    // Nothing is replaced by a file that is no document.
    const std::optional<BackupStore::RecordCounts> counts = BackupStore::CountRecords(backup);
    if (!counts)
        return fail(QStringLiteral("'%1' cannot be read as a Tavoro! document; nothing was changed").arg(backup));
    const std::optional<std::string> bytes = platform::ReadWholeFile(backup);
    if (!bytes)
        return fail(QStringLiteral("'%1' cannot be read; nothing was changed").arg(backup));
    const std::unique_ptr<DocumentLock> lock = lockForWriting(target);
    if (!lock)
        return kCliFailure;
    // The file being replaced is kept even where backups are turned off: restoring must never be
    // the step that loses a version.
    const BackupStore keeper = backups.KeepCount() > 0 ? backups : backups.WithKeepCount(1);
    if (const QString problem = keeper.Keep(target); !problem.isEmpty())
        return fail(QStringLiteral("%1 could not be kept as a backup (%2); nothing was changed").arg(target, problem));
    platform::FileError error = platform::FileError::None;
    if (!platform::WriteFileAtomically(target, *bytes, &error)) {
        reportFileError(target, error);
        return fail(QStringLiteral("cannot write '%1'").arg(target));
    }
    backups.Prune(target);
    std::printf("%s restored from %s (%s)\n", qPrintable(target), qPrintable(backup), qPrintable(describe(*counts)));
    return kCliSuccess;
}
