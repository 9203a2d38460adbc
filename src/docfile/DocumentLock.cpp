#include "DocumentLock.h"

#include "FileIdentity.h"
#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

DocumentLock::DocumentLock(const QString& document) : m_file(LockPathFor(document)) {
    // A document stays open for hours: only a holder that has ended makes a lock stale, never age.
    m_file.setStaleLockTime(0);
    m_file.tryLock(0);
}

bool DocumentLock::TryAgain() {
    return m_file.isLocked() || m_file.tryLock(0);
}

QString DocumentLock::LockPathFor(const QString& document) {
    const QFileInfo file(FileIdentity(document));
    if (QFileInfo(file.absolutePath()).isWritable())
        return QDir(file.absolutePath()).filePath(QLatin1Char('.') + file.fileName() + QStringLiteral(".lock"));
    // A folder that takes no new files still marks the document for this user's programs.
    const QString locks = QDir(platform::UserDataFolder()).filePath(QStringLiteral("locks"));
    QDir().mkpath(locks);
    const QByteArray hash = QCryptographicHash::hash(file.filePath().toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(locks).filePath(QString::fromLatin1(hash) + QStringLiteral(".lock"));
}

std::optional<DocumentLock::Holder> DocumentLock::HolderOf(const QString& document) {
    const QString path = LockPathFor(document);
    QLockFile probe(path);
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) { // free, or left by a program that ended (tryLock cleared it)
        probe.unlock();
        return std::nullopt;
    }
    Holder holder;
    if (probe.error() != QLockFile::LockFailedError || !probe.getLockInfo(&holder.pid, &holder.host, &holder.program))
        return std::nullopt;
    if (holder.pid == QCoreApplication::applicationPid() && holder.host == QSysInfo::machineHostName())
        return std::nullopt;
    holder.user = QFileInfo(path).owner();
    return holder;
}

QString DocumentLock::Describe(const Holder& holder) {
    QString text = QStringLiteral("%1 (process %2 on %3").arg(holder.program).arg(holder.pid).arg(holder.host);
    if (!holder.user.isEmpty())
        text += QStringLiteral(", user %1").arg(holder.user);
    return text + QLatin1Char(')');
}
