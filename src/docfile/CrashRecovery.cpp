#include "CrashRecovery.h"

#include "DocumentStorage.h"
#include "DocumentWriter.h"
#include "FileSettings.h"
#include "PimDocument.h"
#include "platform/AtomicFile.h"
#include "platform/ProgramFolders.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {
const QString kDocument = QStringLiteral(".pgr");
const QString kName = QStringLiteral(".name");
const QString kLock = QStringLiteral(".lock");

QString sibling(const QString& path, const QString& extension) {
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + extension);
}

// Unique among running programs (the process id) and within one (the count).
QString sessionName() {
    static int sessions = 0;
    return QStringLiteral("%1-%2-%3")
        .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss")))
        .arg(QCoreApplication::applicationPid())
        .arg(++sessions);
}

std::unique_ptr<QLockFile> lockFile(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0); // only a holder that has ended makes it stale
    return lock;
}
} // namespace

CrashRecovery::CrashRecovery(const DocumentStorage& storage, QString folder, std::chrono::milliseconds interval)
    : m_storage(storage), m_folder(std::move(folder)), m_session(sessionName()) {
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &CrashRecovery::Tick);
    m_timer.start();
}

CrashRecovery::~CrashRecovery() {
    RemoveFiles();
}

QString CrashRecovery::StandardFolder() {
    const QString data = platform::UserDataFolder();
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("recovery"));
}

std::chrono::milliseconds CrashRecovery::StandardInterval() {
    platform::SettingsStore settings;
    return FileSettings(settings).ReadRecoveryInterval();
}

QString CrashRecovery::SessionFile(const QString& extension) const {
    return QDir(m_folder).filePath(m_session + extension);
}

QString CrashRecovery::FilePath() const {
    return SessionFile(kDocument);
}

void CrashRecovery::Tick() {
    if (!m_storage.Document().IsModified() || m_folder.isEmpty()) {
        Settle();
        return;
    }
    const std::string bytes = DocumentWriter::Write(m_storage.Document().Records());
    const std::size_t hash = std::hash<std::string>{}(bytes);
    if (m_written && hash == m_writtenHash)
        return;
    if (!m_lock) {
        QDir().mkpath(m_folder);
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_lock = lockFile(SessionFile(kLock));
        if (!m_lock->tryLock(0)) {
            qWarning("cannot keep a recovery file in %s", qPrintable(m_folder));
            m_lock.reset();
            return;
        }
    }
    const QByteArray name = m_storage.TitleName().toUtf8();
    m_written = platform::WriteFileAtomically(SessionFile(kName), std::string_view(name.data(), name.size())) &&
                platform::WriteFileAtomically(FilePath(), bytes);
    m_writtenHash = hash;
}

void CrashRecovery::Settle() {
    if (m_written && !m_storage.Document().IsModified())
        RemoveFiles();
}

void CrashRecovery::RemoveFiles() {
    QFile::remove(FilePath());
    QFile::remove(SessionFile(kName));
    m_lock.reset(); // unlocking removes the lock file
    m_written = false;
}

std::vector<CrashRecovery::Leftover> CrashRecovery::Leftovers() const {
    std::vector<Leftover> leftovers;
    if (m_folder.isEmpty())
        return leftovers;
    const QFileInfoList files = QDir(m_folder).entryInfoList({QLatin1Char('*') + kDocument}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        if (file.completeBaseName() == m_session)
            continue;
        // A program that still runs holds its lock; a crashed one left it stale, and tryLock takes it.
        std::unique_ptr<QLockFile> probe = lockFile(sibling(file.filePath(), kLock));
        if (!probe->tryLock(0))
            continue;
        probe->unlock();
        QFile name(sibling(file.filePath(), kName));
        const QString documentName =
            name.open(QIODevice::ReadOnly) ? QString::fromUtf8(name.readAll()) : QStringLiteral("Untitled");
        leftovers.push_back({file.filePath(), documentName, file.lastModified()});
    }
    return leftovers;
}

void CrashRecovery::Discard(const Leftover& leftover) {
    QFile::remove(leftover.path);
    QFile::remove(sibling(leftover.path, kName));
    QFile::remove(sibling(leftover.path, kLock));
}
