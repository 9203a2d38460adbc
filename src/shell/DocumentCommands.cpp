#include "DocumentCommands.h"

#include "WaitCursor.h"
#include "docfile/CrashRecovery.h"
#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "docfile/RecentFileList.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>
#include <QLocale>

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;
using FileResult = DocumentCommands::FileResult;

namespace {
const QString kTavoro = QStringLiteral("Tavoro!");
const QString kTavoroPlain = QStringLiteral("Tavoro");
} // namespace

DocumentCommands::DocumentCommands(DocumentStorage& storage, platform::PromptService& prompt,
                                   RecentFileList& recentFiles, platform::SettingsStore& settings, TitleSetter setTitle)
    : m_storage(storage), m_document(storage.Document()), m_prompt(prompt), m_recentFiles(recentFiles),
      m_settings(settings), m_fileSettings(settings), m_setTitle(std::move(setTitle)) {
    m_storage.SetBackupProblemHandler([this](const QString& path, const QString& problem) {
        m_prompt.message(QStringLiteral("%1 was saved, but its previous version could not be kept as a backup: %2.")
                             .arg(path, problem),
                         kTavoro, PromptButtons::Ok, PromptIcon::Exclamation);
    });
}

DocumentCommands::~DocumentCommands() {
    // The storage may outlive these commands; its saves must not report through them then.
    m_storage.SetBackupProblemHandler({});
}

bool DocumentCommands::SaveModified(const QString& caption) {
    if (!m_document.IsModified())
        return true;
    const PromptAnswer answer = m_prompt.message(QStringLiteral("Save changes to %1?").arg(m_storage.TitleName()),
                                                 caption, PromptButtons::YesNoCancel, PromptIcon::Exclamation);
    switch (answer) {
    case PromptAnswer::Yes:
        return SaveDocument() == FileResult::Succeeded;
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void DocumentCommands::New() {
    if (!SaveModified(kTavoro))
        return;
    m_failedFile.clear();
    if (!m_storage.New()) {
        ShowStop(QStringLiteral("Error creating new file."), kTavoro);
        return;
    }
    m_document.NotifyChanged();
    m_setTitle(m_storage.TitleName());
}

void DocumentCommands::Open() {
    if (!SaveModified(kTavoroPlain))
        return;
    const bool named = !m_storage.HasNoFileName();
    if (OpenWithDialog() == FileResult::Failed) {
        ShowStop(QStringLiteral("Error loading file."), kTavoroPlain);
        m_fileSettings.WriteLastFileUsed(QString());
        ShowTitleAfterFailedRead(named);
        return;
    }
    m_document.NotifyChanged();
    RememberInRecentList(m_storage.TitleName());
}

void DocumentCommands::Save() {
    // An untitled or read-only document is saved under a name asked for, and is that file from now
    // on: the title and the recent list show it.
    const bool asksForName = !SavesInPlace();
    const FileResult result = SaveDocument();
    if (result == FileResult::Failed)
        ShowStop(QStringLiteral("Unable to write file!"), kTavoroPlain);
    else if (result == FileResult::Succeeded && asksForName)
        RememberInRecentList(m_storage.TitleName());
}

void DocumentCommands::SaveAs() {
    if (SaveWithRetry([this] { return SaveDocumentAs(); }) != FileResult::Failed)
        RememberInRecentList(m_storage.TitleName());
}

void DocumentCommands::Backup() {
    platform::FileDialogRequest request =
        FileDialog(QStringLiteral("Save As"), QFileInfo(m_storage.TitleName()).completeBaseName());
    request.filters = QStringList{QStringLiteral("Backup Files (*.bak)"), QStringLiteral("All Files (*.*)")};
    request.defaultExtension = QStringLiteral("bak");
    const std::optional<QString> name = m_prompt.saveFileName(request);
    if (!name)
        return;
    const auto write = [this, &name] {
        WaitCursor wait;
        return m_storage.Save(*name);
    };
    if (!write())
        ShowStop(QStringLiteral("Unable to back up file"), QStringLiteral("Backup failed"));
}

void DocumentCommands::Compact() {
    {
        WaitCursor wait;
        m_document.RemoveOldTasks(DateTime::Today());
    }
    // Until the compacted records are written they differ from the file, whatever happens next.
    m_document.SetModified(true);
    const bool named = SavesInPlace();
    const FileResult result = SaveWithRetry([this, named] {
        // Nowhere to write yet, or the file is another program's: ask for a name rather than drop a
        // file called Untitled into whatever folder happens to be current, or write over theirs.
        if (!named)
            return SaveDocumentAs();
        return Write(m_storage.FileName()) ? FileResult::Succeeded : FileResult::Failed;
    });
    if (result == FileResult::Succeeded && !named)
        RememberInRecentList(m_storage.TitleName());
    m_document.NotifyChanged();
}

QString DocumentCommands::BackupSource() const {
    return m_storage.HasNoFileName() ? m_failedFile : m_storage.FileName();
}

void DocumentCommands::RestoreBackup(const BackupChooser& choose) {
    const QString source = BackupSource();
    if (source.isEmpty())
        return;
    const std::vector<BackupStore::Backup> backups = BackupStore::Standard().List(source);
    if (backups.empty()) {
        m_prompt.message(QStringLiteral("There are no backups of %1.").arg(source), QStringLiteral("Restore Backup"),
                         PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    if (const std::optional<QString> chosen = choose(source, backups))
        OpenAsUntitledCopy(*chosen);
}

bool DocumentCommands::OpenAsUntitledCopy(const QString& path) {
    if (!SaveModified(kTavoro))
        return false;
    const bool named = !m_storage.HasNoFileName();
    if (!m_storage.ReadFromFile(path, m_prompt)) {
        ShowStop(QStringLiteral("Error loading file."), kTavoro);
        ShowTitleAfterFailedRead(named);
        return false;
    }
    m_storage.SetFileName(QString());
    m_document.SetModified(true);
    m_document.NotifyChanged();
    m_setTitle(m_storage.TitleName());
    return true;
}

void DocumentCommands::OfferRecoveredCopies(CrashRecovery& recovery) {
    for (const CrashRecovery::Leftover& leftover : recovery.Leftovers()) {
        const PromptAnswer answer = m_prompt.message(
            QStringLiteral("Tavoro! did not close normally. Unsaved changes to %1 from %2 were kept.\n\n"
                           "Do you want to open them? No discards them.")
                .arg(leftover.documentName, QLocale().toString(leftover.writtenAt, QLocale::ShortFormat)),
            kTavoro, PromptButtons::YesNo, PromptIcon::Question);
        if (answer != PromptAnswer::Yes) {
            CrashRecovery::Discard(leftover);
            continue;
        }
        // This program's own recovery file holds the copy before the leftover goes. The one
        // document is taken; any older leftovers wait for the next start.
        if (OpenAsUntitledCopy(leftover.path)) {
            recovery.Tick();
            CrashRecovery::Discard(leftover);
        }
        return;
    }
}

void DocumentCommands::OpenRecentFile(int n) {
    const std::optional<int> index = m_recentFiles.IndexFromNewest(n);
    if (!index)
        return;
    const QString name = m_recentFiles.Entries().at(*index);
    if (!SaveModified(kTavoro) || !ConfirmOpen(name))
        return;
    const bool named = !m_storage.HasNoFileName();
    if (!Read(name)) {
        ShowStop(QStringLiteral("Error loading file."), kTavoro);
        m_recentFiles.RemoveAt(*index);
        m_fileSettings.WriteLastFileUsed(QString());
        m_recentFiles.WriteTo(m_settings);
        ShowTitleAfterFailedRead(named);
        return;
    }
    m_document.NotifyChanged();
    m_recentFiles.Add(name);
    m_storage.SetFileName(name);
    m_setTitle(name);
    m_recentFiles.WriteTo(m_settings);
}

void DocumentCommands::ToggleOpenLastFileOnStart() {
    m_openLastFile = !m_openLastFile;
    m_fileSettings.WriteOpenLastFile(m_openLastFile);
}

void DocumentCommands::WriteLastFileUsed() {
    m_fileSettings.WriteLastFileUsed(m_storage.TitleName());
}

std::optional<QString> DocumentCommands::StartupFileNames() {
    const std::optional<bool> openLast = m_fileSettings.ReadOpenLastFile();
    if (!openLast)
        return std::nullopt;
    m_openLastFile = *openLast;
    if (!m_openLastFile)
        return std::nullopt;
    return m_fileSettings.ReadLastFileUsed();
}

void DocumentCommands::OpenStartupFile(const QString& name) {
    if (!ConfirmOpen(name))
        return;
    // A missing file is created by the first Save; one that exists but could not be read stays
    // unnamed, so that saving never writes over it.
    if (Read(name) || !QFileInfo::exists(name))
        m_storage.SetFileName(name);
    m_document.NotifyChanged();
    m_recentFiles.Add(name);
    m_recentFiles.WriteTo(m_settings);
    m_setTitle(m_storage.TitleName());
}

DocumentCommands::FileResult DocumentCommands::SaveDocument() {
    if (!SavesInPlace())
        return SaveDocumentAs();
    if (!m_document.IsModified())
        return FileResult::Succeeded;
    return Write(m_storage.FileName()) ? FileResult::Succeeded : FileResult::Failed;
}

DocumentCommands::FileResult DocumentCommands::SaveDocumentAs() {
    const std::optional<QString> name =
        m_prompt.saveFileName(FileDialog(QStringLiteral("Save As"), m_storage.TitleName()));
    if (!name)
        return FileResult::Cancelled;
    if (const std::optional<DocumentLock::Holder> holder = DocumentLock::HolderOf(*name)) {
        m_prompt.message(QStringLiteral("%1 is in use by %2 and cannot be written over. Choose another name.")
                             .arg(*name, DocumentLock::Describe(*holder)),
                         kTavoro, PromptButtons::Ok, PromptIcon::Exclamation);
        return FileResult::Cancelled;
    }
    if (!Write(*name))
        return FileResult::Failed;
    m_storage.SetFileName(*name);
    return FileResult::Succeeded;
}

DocumentCommands::FileResult DocumentCommands::OpenWithDialog() {
    const std::optional<QString> name = m_prompt.openFileName(FileDialog(QStringLiteral("Open"), QString()));
    if (!name || !ConfirmOpen(*name))
        return FileResult::Cancelled;
    if (!Read(*name))
        return FileResult::Failed;
    m_storage.SetFileName(*name);
    return FileResult::Succeeded;
}

bool DocumentCommands::ConfirmOpen(const QString& path) {
    const std::optional<DocumentLock::Holder> holder = DocumentLock::HolderOf(path);
    if (!holder)
        return true;
    return m_prompt.message(QStringLiteral("%1 is in use by %2.\n\nDo you want to open it read-only?")
                                .arg(path, DocumentLock::Describe(*holder)),
                            kTavoro, PromptButtons::YesNo, PromptIcon::Exclamation) == PromptAnswer::Yes;
}

bool DocumentCommands::SavesInPlace() const {
    // A file made write-protected while it was open counts as read-only too.
    return !m_storage.HasNoFileName() && !m_storage.IsReadOnly() &&
           !DocumentStorage::IsWriteProtected(m_storage.FileName());
}

bool DocumentCommands::Read(const QString& path) {
    const bool read = m_storage.ReadFromFile(path, m_prompt);
    m_failedFile = read ? QString() : path;
    return read;
}

bool DocumentCommands::Write(const QString& path) {
    WaitCursor wait;
    return m_storage.WriteToFile(path);
}

platform::FileDialogRequest DocumentCommands::FileDialog(const QString& title, const QString& initialName) {
    platform::FileDialogRequest request;
    request.title = title;
    request.initialName = initialName;
    request.filters = QStringList{QStringLiteral("Tavoro Files (*.pgr)"), QStringLiteral("All Files (*.*)")};
    request.defaultExtension = QStringLiteral("pgr");
    request.confirmOverwrite = true;
    return request;
}

void DocumentCommands::ShowTitleAfterFailedRead(bool wasNamed) {
    // A file that could not be parsed has emptied the document and taken its name away.
    if (wasNamed && m_storage.HasNoFileName())
        m_setTitle(m_storage.TitleName());
}

void DocumentCommands::RememberInRecentList(const QString& name) {
    m_recentFiles.Add(name);
    m_recentFiles.WriteTo(m_settings);
    m_setTitle(name);
}

DocumentCommands::FileResult DocumentCommands::SaveWithRetry(const std::function<FileResult()>& save) {
    FileResult result = save();
    while (result == FileResult::Failed) {
        const PromptAnswer answer = m_prompt.message(QStringLiteral("Error saving %1.").arg(m_storage.TitleName()),
                                                     kTavoro, PromptButtons::RetryCancel, PromptIcon::Stop);
        if (answer != PromptAnswer::Retry)
            break;
        result = save();
    }
    return result;
}

void DocumentCommands::ShowStop(const QString& text, const QString& caption) {
    m_prompt.message(text, caption, PromptButtons::Ok, PromptIcon::Stop);
}
