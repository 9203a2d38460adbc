#include "DocumentCommands.h"

#include "CrashRecovery.h"
#include "PimDocument.h"
#include "RecentFileList.h"
#include "WaitCursor.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>
#include <QLocale>

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;
using FileResult = PimDocument::FileResult;

namespace {
const QString kTavoro = QStringLiteral("Tavoro!");
const QString kTavoroPlain = QStringLiteral("Tavoro");
} // namespace

DocumentCommands::DocumentCommands(PimDocument& document, platform::PromptService& prompt, RecentFileList& recentFiles,
                                   platform::SettingsStore& settings, TitleSetter setTitle)
    : m_document(document), m_prompt(prompt), m_recentFiles(recentFiles), m_settings(settings),
      m_fileSettings(settings), m_setTitle(std::move(setTitle)) {
    m_document.SetBackupProblemHandler([this](const QString& path, const QString& problem) {
        m_prompt.message(QStringLiteral("%1 was saved, but its previous version could not be kept as a backup: %2.")
                             .arg(path, problem),
                         kTavoro, PromptButtons::Ok, PromptIcon::Exclamation);
    });
}

DocumentCommands::~DocumentCommands() {
    // The document may outlive these commands; its saves must not report through them then.
    m_document.SetBackupProblemHandler({});
}

bool DocumentCommands::HandleCommand(int command) {
    switch (command) {
    case NewCommand:
        New();
        return true;
    case OpenCommand:
        Open();
        return true;
    case SaveCommand:
        Save();
        return true;
    case SaveAsCommand:
        SaveAs();
        return true;
    case BackupCommand:
        Backup();
        return true;
    case CompactCommand:
        Compact();
        return true;
    case OpenLastFileOnStartCommand:
        ToggleOpenLastFileOnStart();
        return true;
    default:
        break;
    }
    if (command >= RecentFileList::FirstCommand && command <= RecentFileList::LastCommand) {
        OpenRecentFile(command);
        return true;
    }
    return false;
}

bool DocumentCommands::SaveModified(const QString& caption) {
    if (!m_document.IsModified())
        return true;
    const PromptAnswer answer = m_prompt.message(QStringLiteral("Save changes to %1?").arg(m_document.TitleName()),
                                                 caption, PromptButtons::YesNoCancel, PromptIcon::Exclamation);
    switch (answer) {
    case PromptAnswer::Yes:
        return m_document.SaveDocument(m_prompt) == FileResult::Succeeded;
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void DocumentCommands::New() {
    if (!SaveModified(kTavoro))
        return;
    if (!m_document.New()) {
        ShowStop(QStringLiteral("Error creating new file."), kTavoro);
        return;
    }
    m_document.NotifyChanged();
    m_setTitle(m_document.TitleName());
}

void DocumentCommands::Open() {
    if (!SaveModified(kTavoroPlain))
        return;
    const bool named = !m_document.HasNoFileName();
    if (m_document.OpenWithDialog(m_prompt) == FileResult::Failed) {
        ShowStop(QStringLiteral("Error loading file."), kTavoroPlain);
        m_fileSettings.WriteLastFileUsed(QString());
        ShowTitleAfterFailedRead(named);
        return;
    }
    m_document.NotifyChanged();
    RememberInRecentList(m_document.TitleName());
}

void DocumentCommands::Save() {
    const bool readOnly = m_document.IsReadOnly();
    const FileResult result = m_document.SaveDocument(m_prompt);
    if (result == FileResult::Failed)
        ShowStop(QStringLiteral("Unable to write file!"), kTavoroPlain);
    else if (result == FileResult::Succeeded && readOnly) // saved under another name
        RememberInRecentList(m_document.TitleName());
}

void DocumentCommands::SaveAs() {
    if (SaveWithRetry([this] { return m_document.SaveDocumentAs(m_prompt); }) != FileResult::Failed)
        RememberInRecentList(m_document.TitleName());
}

void DocumentCommands::Backup() {
    platform::FileDialogRequest request =
        PimDocument::FileDialog(QStringLiteral("Save As"), QFileInfo(m_document.TitleName()).completeBaseName());
    request.filters = QStringList{QStringLiteral("Backup Files (*.bak)"), QStringLiteral("All Files (*.*)")};
    request.defaultExtension = QStringLiteral("bak");
    const std::optional<QString> name = m_prompt.saveFileName(request);
    if (!name)
        return;
    if (!m_document.Save(*name))
        ShowStop(QStringLiteral("Unable to back up file"), QStringLiteral("Backup failed"));
}

void DocumentCommands::Compact() {
    {
        WaitCursor wait;
        m_document.RemoveOldTasks(DateTime::Today());
    }
    // Until the compacted records are written they differ from the file, whatever happens next.
    m_document.SetModified(true);
    const bool named = !m_document.HasNoFileName() && !m_document.IsReadOnly();
    const FileResult result = SaveWithRetry([this, named] {
        // Nowhere to write yet, or the file is another program's: ask for a name rather than drop a
        // file called Untitled into whatever folder happens to be current, or write over theirs.
        if (!named)
            return m_document.SaveDocumentAs(m_prompt);
        WaitCursor wait;
        return m_document.WriteToFile(m_document.FileName()) ? FileResult::Succeeded : FileResult::Failed;
    });
    if (result == FileResult::Succeeded && !named)
        RememberInRecentList(m_document.TitleName());
    m_document.NotifyChanged();
}

void DocumentCommands::RestoreBackup(const BackupChooser& choose) {
    if (m_document.HasNoFileName())
        return;
    const std::vector<BackupStore::Backup> backups = BackupStore::Standard().List(m_document.FileName());
    if (backups.empty()) {
        m_prompt.message(QStringLiteral("There are no backups of %1.").arg(m_document.FileName()),
                         QStringLiteral("Restore Backup"), PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    if (const std::optional<QString> chosen = choose(m_document.FileName(), backups))
        OpenAsUntitledCopy(*chosen);
}

bool DocumentCommands::OpenAsUntitledCopy(const QString& path) {
    if (!SaveModified(kTavoro))
        return false;
    const bool named = !m_document.HasNoFileName();
    if (!m_document.ReadFromFile(path, m_prompt)) {
        ShowStop(QStringLiteral("Error loading file."), kTavoro);
        ShowTitleAfterFailedRead(named);
        return false;
    }
    m_document.SetFileName(QString());
    m_document.SetModified(true);
    m_document.NotifyChanged();
    m_setTitle(m_document.TitleName());
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

void DocumentCommands::OpenRecentFile(int command) {
    const std::optional<int> index = m_recentFiles.IndexForCommand(command);
    if (!index)
        return;
    const QString name = m_recentFiles.Entries().at(*index);
    if (!SaveModified(kTavoro) || !PimDocument::ConfirmOpen(name, m_prompt))
        return;
    const bool named = !m_document.HasNoFileName();
    if (!m_document.ReadFromFile(name, m_prompt)) {
        ShowStop(QStringLiteral("Error loading file."), kTavoro);
        m_recentFiles.RemoveAt(*index);
        m_recentFiles.RebuildMenu();
        m_fileSettings.WriteLastFileUsed(QString());
        m_recentFiles.WriteTo(m_settings);
        ShowTitleAfterFailedRead(named);
        return;
    }
    m_document.NotifyChanged();
    m_recentFiles.Add(name);
    m_document.SetFileName(name);
    m_setTitle(name);
    m_recentFiles.WriteTo(m_settings);
}

void DocumentCommands::ToggleOpenLastFileOnStart() {
    m_openLastFile = !m_openLastFile;
    m_fileSettings.WriteOpenLastFile(m_openLastFile);
}

bool DocumentCommands::CanSave() const {
    return m_document.IsModified();
}

bool DocumentCommands::CanBackup() const {
    return !m_document.HasNoFileName();
}

void DocumentCommands::WriteLastFileUsed() {
    m_fileSettings.WriteLastFileUsed(m_document.TitleName());
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
    if (!PimDocument::ConfirmOpen(name, m_prompt))
        return;
    // A missing file is created by the first Save; one that exists but could not be read stays
    // unnamed, so that saving never writes over it.
    if (m_document.ReadFromFile(name, m_prompt) || !QFileInfo::exists(name))
        m_document.SetFileName(name);
    m_document.NotifyChanged();
    m_recentFiles.Add(name);
    m_recentFiles.WriteTo(m_settings);
    m_setTitle(m_document.TitleName());
}

void DocumentCommands::ShowTitleAfterFailedRead(bool wasNamed) {
    // A file that could not be parsed has emptied the document and taken its name away.
    if (wasNamed && m_document.HasNoFileName())
        m_setTitle(m_document.TitleName());
}

void DocumentCommands::RememberInRecentList(const QString& name) {
    m_recentFiles.Add(name);
    m_recentFiles.WriteTo(m_settings);
    m_setTitle(name);
}

PimDocument::FileResult DocumentCommands::SaveWithRetry(const std::function<FileResult()>& save) {
    FileResult result = save();
    while (result == FileResult::Failed) {
        const PromptAnswer answer = m_prompt.message(QStringLiteral("Error saving %1.").arg(m_document.TitleName()),
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
