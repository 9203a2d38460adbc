#pragma once

#include "docfile/BackupStore.h"
#include "docfile/FileSettings.h"
#include "platform/PromptService.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class CrashRecovery;
class DocumentStorage;
class PimDocument;
class RecentFileList;

namespace platform {
class SettingsStore;
}

// The user's commands around the document and its file, as a plain object the main window calls:
// New, Open, Save, Save As, Backup, Compact, Restore Backup and the recent files, with their file
// dialogs and questions, the "Save changes to %s?" prompt, and the start-up files.
//
// The title callback receives the name to show: the full path, or "Untitled"; the window builds
// "Tavoro! [name]" from it. The recent-file list is read from the settings by the shell at start-up.
class DocumentCommands {
public:
    // How an operation that may ask for a file name ended.
    enum class FileResult { Succeeded, Cancelled, Failed };

    using TitleSetter = std::function<void(const QString& name)>;
    // Shows the backups of a document (newest first) and answers the one chosen, or nothing.
    using BackupChooser =
        std::function<std::optional<QString>(const QString& document, const std::vector<BackupStore::Backup>&)>;

    DocumentCommands(DocumentStorage& storage, platform::PromptService& prompt, RecentFileList& recentFiles,
                     platform::SettingsStore& settings, TitleSetter setTitle);
    ~DocumentCommands();
    DocumentCommands(const DocumentCommands&) = delete;
    DocumentCommands& operator=(const DocumentCommands&) = delete;

    void New();
    void Open();
    void Save();
    void SaveAs();
    void Backup();
    // Removes the done tasks due before today and writes the document at once; a failed write asks
    // Retry/Cancel as Save As does and leaves the document modified.
    void Compact();
    // Lists the automatic backups of the open document, or of the file that just failed to load,
    // and opens the chosen one as an untitled copy.
    void RestoreBackup(const BackupChooser& choose);
    // The file whose backups Restore Backup offers: the document's, or else the one that failed to
    // load last; empty when there is none.
    QString BackupSource() const;
    // The n-th newest entry of the recent-file list (1: the newest, the top item of the menu).
    void OpenRecentFile(int n);
    // Edit > Options > Open Last File On Start, and its check mark.
    void ToggleOpenLastFileOnStart();
    bool OpenLastFileOnStart() const { return m_openLastFile; }

    // The "Save changes to %s?" prompt; false means stop (at close the shell passes "Tavoro!").
    bool SaveModified(const QString& caption);
    // At every close request: the file name, or "Untitled".
    void WriteLastFileUsed();
    // Start-up with an empty command line: reads OpenLastFile into the check mark and, when it is
    // set, answers LastFileUsed.
    std::optional<QString> StartupFileNames();
    // One name from the command line or LastFileUsed, already split by the shell; failures are not
    // reported.
    void OpenStartupFile(const QString& name);
    // A backup or a recovered copy: opened without a name and modified, so that saving asks where
    // to write it.
    bool OpenAsUntitledCopy(const QString& path);
    // Start-up after a crash: offers each leftover recovery file, newest first, to open (and stop)
    // or discard.
    void OfferRecoveredCopies(CrashRecovery& recovery);

    // The open and save dialogs' filters, default extension and options; initialName is proposed.
    static platform::FileDialogRequest FileDialog(const QString& title, const QString& initialName);

private:
    // Save: asks for a name (Save As) when there is none, writes only when modified.
    FileResult SaveDocument();
    FileResult SaveDocumentAs();
    FileResult OpenWithDialog();
    // When another program holds the file, names it and asks whether to open the file read-only;
    // false means not at all.
    bool ConfirmOpen(const QString& path);
    // Whether Save writes the document's own file, rather than asking for a name: it has one, and
    // neither another program holds it nor is it write-protected.
    bool SavesInPlace() const;
    // Reads the document from path, remembering the file when it fails to load.
    bool Read(const QString& path);
    // Writes the document to path under the wait cursor; on success it is no longer modified.
    bool Write(const QString& path);

    void RememberInRecentList(const QString& name);
    void ShowTitleAfterFailedRead(bool wasNamed);
    void ShowStop(const QString& text, const QString& caption);
    // Runs save until it does not fail, asking "Error saving %s." with Retry and Cancel after each
    // failure; the last result is the answer.
    FileResult SaveWithRetry(const std::function<FileResult()>& save);

    DocumentStorage& m_storage;
    PimDocument& m_document;
    platform::PromptService& m_prompt;
    RecentFileList& m_recentFiles;
    platform::SettingsStore& m_settings;
    FileSettings m_fileSettings;
    TitleSetter m_setTitle;
    bool m_openLastFile = false;
    QString m_failedFile;
};
