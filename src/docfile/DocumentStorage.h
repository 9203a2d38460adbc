#pragma once

#include "platform/AtomicFile.h"

#include <QString>

#include <functional>
#include <memory>

class DocumentLock;
class PimDocument;

namespace platform {
class PromptService;
}

// The file a document is stored in: its name, the lock that tells other programs the file is open
// here, reading the document from the file and writing it back, keeping what the file held before
// as an automatic backup.
class DocumentStorage {
public:
    explicit DocumentStorage(PimDocument& document);
    ~DocumentStorage();
    DocumentStorage(const DocumentStorage&) = delete;
    DocumentStorage& operator=(const DocumentStorage&) = delete;

    PimDocument& Document() { return m_document; }
    const PimDocument& Document() const { return m_document; }

    // Empty for a document that was never saved or opened.
    const QString& FileName() const { return m_fileName; }
    // The name shown and stored for the document: "Untitled" when it has none.
    QString TitleName() const;
    // True when there is no file name, or the name is "Untitled" in any letter case.
    bool HasNoFileName() const;
    // Takes the file as the document's own: the lock on the former file is let go and the new one
    // locked. A file that another program holds, or that is write-protected, is open read-only.
    void SetFileName(const QString& name);
    // Save never writes over a read-only document's file; it asks for another name.
    bool IsReadOnly() const { return m_readOnly; }
    // True for an existing file that is not to be saved in place: one this user may not write,
    // and for the superuser, who may write anything, one whose mode lets no one write it.
    static bool IsWriteProtected(const QString& path);

    // The whole document in the current file layout, replacing the file at path only once every
    // byte is written. The target stays untouched on any failure; error tells why it failed. The bytes
    // it held before are kept as an automatic backup; a backup that cannot be made does not stop the
    // save, but is handed to the backup problem handler once the save has succeeded.
    bool Save(const QString& path, platform::FileError* error = nullptr) const;
    using BackupProblemHandler = std::function<void(const QString& path, const QString& problem)>;
    // Without a handler the problem goes to the warning log (stderr).
    void SetBackupProblemHandler(BackupProblemHandler handler) { m_backupProblem = std::move(handler); }

    // Clears the contents and forgets the file name.
    bool New();
    // Reads the file into the document. An unreadable file leaves the document as it was (error
    // tells why); one that does not parse, is not a document or does not fit in memory leaves it
    // empty, unmodified and untitled.
    bool ReadFromFile(const QString& path, platform::PromptService& prompt, platform::FileError* error = nullptr);
    // Writes the document to path; on success it is no longer modified.
    bool WriteToFile(const QString& path);

private:
    PimDocument& m_document;
    bool m_readOnly = false;
    QString m_fileName;
    std::unique_ptr<DocumentLock> m_lock;
    BackupProblemHandler m_backupProblem;
};
