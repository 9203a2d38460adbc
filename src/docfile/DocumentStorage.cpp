#include "DocumentStorage.h"

#include "BackupStore.h"
#include "DocumentFormat.h"
#include "DocumentLock.h"
#include "DocumentWriter.h"
#include "PimDocument.h"

#include <QFileInfo>

#include <new>
#include <optional>

#include <unistd.h>

DocumentStorage::DocumentStorage(PimDocument& document) : m_document(document) {}

DocumentStorage::~DocumentStorage() = default;

QString DocumentStorage::TitleName() const {
    return m_fileName.isEmpty() ? QStringLiteral("Untitled") : m_fileName;
}

bool DocumentStorage::HasNoFileName() const {
    return m_fileName.isEmpty() || m_fileName.compare(QLatin1String("Untitled"), Qt::CaseInsensitive) == 0;
}

void DocumentStorage::SetFileName(const QString& name) {
    m_fileName = name;
    m_lock.reset();
    m_readOnly = false;
    if (!HasNoFileName()) {
        m_lock = std::make_unique<DocumentLock>(name);
        m_readOnly = (!m_lock->IsLocked() && DocumentLock::HolderOf(name).has_value()) || IsWriteProtected(name);
    }
}

bool DocumentStorage::IsWriteProtected(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile())
        return false;
    // The superuser may write any file, so for it only the mode can say that the file is not to be
    // written: no write permission for anyone.
    if (::geteuid() == 0)
        return !(file.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    return !file.isWritable();
}

bool DocumentStorage::Save(const QString& path, platform::FileError* error) const {
    m_document.NotifySaving();
    const BackupStore backups = BackupStore::Standard();
    const QString backupProblem = backups.Keep(path);
    if (!platform::WriteFileAtomically(path, DocumentWriter::Write(m_document.Records()), error))
        return false;
    backups.Prune(path);
    if (!backupProblem.isEmpty()) {
        if (m_backupProblem)
            m_backupProblem(path, backupProblem);
        else
            qWarning("no backup of %s was kept: %s", qPrintable(path), qPrintable(backupProblem));
    }
    return true;
}

bool DocumentStorage::New() {
    m_document.ClearContents();
    SetFileName(QString());
    return true;
}

bool DocumentStorage::ReadFromFile(const QString& path, platform::PromptService& prompt, platform::FileError* error) {
    std::optional<std::string> text = platform::ReadWholeFile(path, error);
    if (!text)
        return false;
    // The former records go first, so that they and the file's are never in memory together.
    m_document.ClearContents();
    bool loaded = false;
    try {
        loaded = DocumentFormat::Load(std::move(*text), m_document, prompt);
    } catch (const std::bad_alloc&) {
        if (error)
            *error = platform::FileError::TooLarge;
    }
    if (!loaded) {
        // The records are gone; keeping the former name would let the next Save write the empty
        // document over that file. Untitled, Save asks where to write instead.
        SetFileName(QString());
        m_document.NotifyChanged();
        return false;
    }
    return true;
}

bool DocumentStorage::WriteToFile(const QString& path) {
    if (!Save(path))
        return false;
    m_document.SetModified(false);
    return true;
}
