#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <vector>

// The automatic backups of documents. Before a save replaces a document file, the bytes the file
// holds are copied into a folder of that document's own under the user's data folder, named by
// the time of the save; each document keeps only its newest few.
class BackupStore {
public:
    struct Backup {
        QString path;
        QDateTime savedAt; // local time
        qint64 size = 0;
    };
    struct RecordCounts {
        std::size_t persons = 0;
        std::size_t tasks = 0;
        std::size_t appointments = 0;
    };

    // `root` holds one folder per document; each keeps `keep` backups, and 0 makes none.
    BackupStore(QString root, int keep) : m_root(std::move(root)), m_keep(keep) {}
    // The user's backups: "backups" in the data folder, as many as Files/BackupCount says (10 when
    // it is missing, and then written so).
    static BackupStore Standard();

    int KeepCount() const { return m_keep; }
    BackupStore WithKeepCount(int keep) const { return BackupStore(m_root, keep); }
    // The folder the document's backups go to, named by the file and its identity.
    QString FolderFor(const QString& document) const;
    // The backups of the document, newest first: those of the file it is now, and those kept under
    // the name as given, or the file it was, even when that file or a link on its way is gone.
    std::vector<Backup> List(const QString& document) const;

    // Copies the document file as it is now, before a save replaces it. Nothing is copied when
    // there is no such file, when backups are off, or when the newest backup holds the same bytes.
    // Answers what went wrong, or an empty text.
    QString Keep(const QString& document) const;
    // Removes all but the newest backups once a save has succeeded.
    void Prune(const QString& document) const;

    // The records a backup holds; nothing when it cannot be read as a document.
    static std::optional<RecordCounts> CountRecords(const QString& backup);

private:
    QStringList FoldersOf(const QString& document) const;

    QString m_root;
    int m_keep;
};
