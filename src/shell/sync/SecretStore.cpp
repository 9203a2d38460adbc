#include "SecretStore.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace {

const QString kService = QStringLiteral("Tavoro!");

// The store answers asynchronously; the caller waits for it without blocking the window's events.
void runToEnd(QKeychain::Job& job) {
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    job.start();
    if (!finished)
        loop.exec();
}

} // namespace

std::optional<QString> SecretStore::Read(const QString& key, QString* error) const {
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(key);
    runToEnd(job);
    if (job.error() != QKeychain::NoError) {
        if (error && job.error() != QKeychain::EntryNotFound)
            *error = job.errorString();
        return std::nullopt;
    }
    return job.textData();
}

SecretStore::Result SecretStore::Write(const QString& key, const QString& password) const {
    QKeychain::WritePasswordJob job(kService);
    job.setKey(key);
    job.setTextData(password);
    runToEnd(job);
    if (job.error() != QKeychain::NoError)
        return {false, job.errorString()};
    return {true, QString()};
}
