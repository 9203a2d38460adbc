#include "BackupStore.h"

#include "DocumentStorage.h"
#include "FileIdentity.h"
#include "FileSettings.h"
#include "PimDocument.h"
#include "platform/ProgramFolders.h"
#include "platform/PromptService.h"
#include "platform/SettingsStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace {

// Backup names sort in the order they were made: the UTC time of the save to the millisecond.
const QString kNameFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
const QString kExtension = QStringLiteral(".pgr");
// In each document's folder: the names the document was saved under, one a line, so that its
// backups are found by any of them even once the file, or a link on the way to it, is gone.
const QString kNames = QStringLiteral("names");
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOwnerFolder = kOwnerOnly | QFileDevice::ExeOwner;

std::optional<QDateTime> timeOfName(const QString& fileName) {
    if (!fileName.endsWith(kExtension))
        return std::nullopt;
    // Read as UTC from the start: as local time a name could fall into a daylight-saving gap.
    const QDate date = QDate::fromString(fileName.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(fileName.mid(9, 10), QStringLiteral("HHmmss-zzz"));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

bool sameBytes(const QString& a, const QString& b) {
    QFile first(a);
    QFile second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kChunk = 1 << 16;
    while (!first.atEnd()) {
        if (first.read(kChunk) != second.read(kChunk))
            return false;
    }
    return second.atEnd();
}

// The document as named, and as found by whatever links the name goes through.
QStringList namesOf(const QString& document) {
    QStringList names{QDir::cleanPath(QFileInfo(document).absoluteFilePath())};
    if (const QString identity = FileIdentity(document); !names.contains(identity))
        names.append(identity);
    return names;
}

QStringList namesIn(const QString& folder) {
    QFile file(QDir(folder).filePath(kNames));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void rememberNames(const QString& folder, const QString& document) {
    const QStringList known = namesIn(folder);
    QString added;
    for (const QString& name : namesOf(document)) {
        if (!known.contains(name))
            added += name + QLatin1Char('\n');
    }
    QFile file(QDir(folder).filePath(kNames));
    if (added.isEmpty() || !file.open(QIODevice::Append))
        return;
    file.write(added.toUtf8());
    file.setPermissions(kOwnerOnly);
}

// Messages about files that cannot be read are of no use here: a backup that does not load
// simply has no record counts.
class SilentPrompt : public platform::PromptService {
public:
    platform::PromptAnswer message(const QString&, const QString&, platform::PromptButtons,
                                   platform::PromptIcon) override {
        return platform::PromptAnswer::Cancel;
    }
    std::optional<QString> openFileName(const platform::FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileDialogRequest&) override { return std::nullopt; }
};

} // namespace

BackupStore BackupStore::Standard() {
    platform::SettingsStore settings;
    const QString data = platform::UserDataFolder();
    return BackupStore(data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("backups")),
                       FileSettings(settings).ReadBackupCount());
}

QString BackupStore::FolderFor(const QString& document) const {
    // One folder per file, whatever name or link it is reached by; the name leads for the reader.
    const QFileInfo info(document);
    const QString identity = FileIdentity(document);
    const QByteArray hash = QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QDir(m_root).filePath(info.fileName() + QLatin1Char('-') + QString::fromLatin1(hash));
}

QStringList BackupStore::FoldersOf(const QString& document) const {
    QStringList folders{FolderFor(document)};
    const QStringList names = namesOf(document);
    const QString prefix = QFileInfo(document).fileName() + QLatin1Char('-');
    // Compared as text: a file name may hold '*', '?' or '[', which a name filter reads as a pattern.
    const QFileInfoList candidates = QDir(m_root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& candidate : candidates) {
        if (!candidate.fileName().startsWith(prefix))
            continue;
        const QStringList known = namesIn(candidate.filePath());
        const bool named = std::any_of(names.begin(), names.end(), [&](const QString& n) { return known.contains(n); });
        if (named && !folders.contains(candidate.filePath()))
            folders.append(candidate.filePath());
    }
    return folders;
}

std::vector<BackupStore::Backup> BackupStore::List(const QString& document) const {
    std::vector<Backup> backups;
    if (m_root.isEmpty())
        return backups;
    for (const QString& folder : FoldersOf(document)) {
        const QFileInfoList files = QDir(folder).entryInfoList({QLatin1Char('*') + kExtension}, QDir::Files);
        for (const QFileInfo& file : files) {
            if (const std::optional<QDateTime> time = timeOfName(file.fileName()))
                backups.push_back({file.filePath(), time->toLocalTime(), file.size()});
        }
    }
    // Newest first; the names sort as the times of the saves do.
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        const QString first = QFileInfo(a.path).fileName();
        const QString second = QFileInfo(b.path).fileName();
        return first != second ? first > second : a.path > b.path;
    });
    return backups;
}

QString BackupStore::Keep(const QString& document) const {
    if (m_keep <= 0 || !QFileInfo(document).isFile())
        return QString();
    if (m_root.isEmpty())
        return QStringLiteral("there is no data folder to keep backups in");
    const QString folder = FolderFor(document);
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    // The backups hold the same personal data as the documents.
    QFile::setPermissions(m_root, kOwnerFolder);
    QFile::setPermissions(folder, kOwnerFolder);
    rememberNames(folder, document);
    const std::vector<Backup> existing = List(document);
    if (!existing.empty() && sameBytes(existing.front().path, document))
        return QString();
    QDateTime time = QDateTime::currentDateTimeUtc();
    QString target;
    do {
        target = QDir(folder).filePath(time.toString(kNameFormat) + kExtension);
        time = time.addMSecs(1);
    } while (QFileInfo::exists(target));
    QFile source(document);
    if (!source.copy(target))
        return QStringLiteral("cannot copy it to %1: %2").arg(target, source.errorString());
    QFile::setPermissions(target, kOwnerOnly);
    return QString();
}

void BackupStore::Prune(const QString& document) const {
    if (m_keep <= 0) // turned off: what was kept stays
        return;
    const std::vector<Backup> backups = List(document);
    for (std::size_t i = static_cast<std::size_t>(m_keep); i < backups.size(); ++i)
        QFile::remove(backups[i].path);
}

std::optional<BackupStore::RecordCounts> BackupStore::CountRecords(const QString& backup) {
    PimDocument document;
    SilentPrompt silent;
    if (!DocumentStorage(document).ReadFromFile(backup, silent))
        return std::nullopt;
    return RecordCounts{document.Persons().Count(), document.Tasks().Count(), document.Appointments().Count()};
}
