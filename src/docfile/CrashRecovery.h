#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

class DocumentStorage;

// Keeps the unsaved changes of the open document in a recovery file in the user's data folder, so
// that a crash costs at most the last few minutes of work. While the document is modified, the
// file is rewritten (atomically) at every interval; once the document is saved, or the program
// closes normally, the file goes. Each running program has files of its own, marked by a lock
// that ends with it, so that the next start tells a crash's leftovers from a running program's.
class CrashRecovery : public QObject {
    Q_OBJECT
public:
    // A recovery file that a program which ended without closing normally left behind.
    struct Leftover {
        QString path;
        QString documentName; // the name the document had, or "Untitled"
        QDateTime writtenAt;
    };

    explicit CrashRecovery(const DocumentStorage& storage, QString folder = StandardFolder(),
                           std::chrono::milliseconds interval = StandardInterval());
    // A normal end: the recovery file goes.
    ~CrashRecovery() override;

    // "recovery" in the user's data folder.
    static QString StandardFolder();
    // The user's setting, Files/RecoveryMinutes (two minutes unless set).
    static std::chrono::milliseconds StandardInterval();

    // What the timer does: writes the document when it has unsaved changes the file does not hold
    // yet, and removes the file when it has none.
    void Tick();
    // Removes the file once the document has no unsaved changes; cheap enough for every idle pass.
    void Settle();
    // This program's recovery file (it exists only while there are changes to keep).
    QString FilePath() const;

    // The leftovers in the folder, newest first.
    std::vector<Leftover> Leftovers() const;
    static void Discard(const Leftover& leftover);

private:
    QString SessionFile(const QString& extension) const;
    void RemoveFiles();

    const DocumentStorage& m_storage;
    QString m_folder;
    QString m_session;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
    bool m_written = false;
    std::size_t m_writtenHash = 0;
};
