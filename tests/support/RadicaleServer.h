#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

// A real Radicale on a free local port with its storage in a temporary folder, for as long as the
// object lives. Without a user anyone may sign in under any name (each test takes its own, and so
// its own collections); with one, only that user and password pass.
class RadicaleServer {
public:
    explicit RadicaleServer(const QString& user = QString(), const QString& password = QString());
    ~RadicaleServer();

    // False when Radicale is not installed or did not answer in time.
    bool Start();
    void Stop();      // at once, as a crash or a pulled cable would
    QUrl Url() const; // http://127.0.0.1:PORT/
    QString Problem() const { return m_problem; }
    // Radicale's store: collection-root/USER/COLLECTION/ holds one file per object.
    QString StoragePath() const { return m_storage.path(); }

private:
    QTemporaryDir m_folder;
    QTemporaryDir m_storage;
    QProcess m_process;
    int m_port = 0;
    QString m_problem;
};
