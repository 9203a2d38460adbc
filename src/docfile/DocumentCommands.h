#pragma once

// The File-menu document commands as a plain object the main window calls. Public operations:
//
//   bool HandleCommand(int command)  runs any command below by its number; false when not ours
//   void New()                       57600  File > New
//   void Open()                      57601  File > Open...
//   void Save()                      57603  File > Save
//   void SaveAs()                    57604  File > Save As...
//   void Backup()                    32786  File > Backup...
//   void Compact()                   32787  File > Compact; a failed write asks Retry/Cancel as
//                                           Save As does and leaves the document modified
//   void RestoreBackup(chooser)      File > Restore Backup...: lists the open document's automatic
//                                    backups and opens the chosen one as an untitled copy
//   void OpenRecentFile(int command) 57616-57631  File > Recent Files (57616 = the newest)
//   void ToggleOpenLastFileOnStart() 32831  Edit > Options > Open Last File On Start
//   bool OpenLastFileOnStart()       the check mark of 32831
//   bool CanSave(), CanBackup()      enabling rules of Save and Backup...
//   bool SaveModified(caption)       the "Save changes to %s?" prompt; false means stop (at close
//                                    the shell passes "Tavoro!")
//   void WriteLastFileUsed()         at every close request: the file name, or "Untitled"
//   std::optional<QString> StartupFileNames()
//                                    start-up with an empty command line: reads OpenLastFile into
//                                    the check mark and, when it is set, answers LastFileUsed
//   void OpenStartupFile(name)       one name from the command line or LastFileUsed, already split
//                                    by the shell; failures are not reported
//   bool OpenAsUntitledCopy(path)    a backup or a recovered copy: opened without a name and
//                                    modified, so that saving asks where to write it
//   void OfferRecoveredCopies(recovery)
//                                    start-up after a crash: offers each leftover recovery file,
//                                    newest first, to open (and stop) or discard
//
// The title callback receives the name to show: the full path, or "Untitled"; the window builds
// "Tavoro! [name]" from it. The RecentFileList should have its popup attached (AttachMenu) and be
// read from the settings (ReadFrom) by the shell at start-up.

#include "platform/PromptService.h"

#include "docfile/BackupStore.h"
#include "docfile/FileSettings.h"
#include "docfile/PimDocument.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class CrashRecovery;
class RecentFileList;

namespace platform {
class SettingsStore;
}

class DocumentCommands {
public:
    enum Command {
        NewCommand = 57600,
        OpenCommand = 57601,
        SaveCommand = 57603,
        SaveAsCommand = 57604,
        BackupCommand = 32786,
        CompactCommand = 32787,
        OpenLastFileOnStartCommand = 32831,
    };

    using TitleSetter = std::function<void(const QString& name)>;
    // Shows the backups of a document (newest first) and answers the one chosen, or nothing.
    using BackupChooser =
        std::function<std::optional<QString>(const QString& document, const std::vector<BackupStore::Backup>&)>;

    DocumentCommands(PimDocument& document, platform::PromptService& prompt, RecentFileList& recentFiles,
                     platform::SettingsStore& settings, TitleSetter setTitle);
    ~DocumentCommands();

    bool HandleCommand(int command);

    void New();
    void Open();
    void Save();
    void SaveAs();
    void Backup();
    void Compact();
    void RestoreBackup(const BackupChooser& choose);
    void OpenRecentFile(int command);
    void ToggleOpenLastFileOnStart();

    bool OpenLastFileOnStart() const { return m_openLastFile; }
    bool CanSave() const;
    bool CanBackup() const;

    bool SaveModified(const QString& caption);
    void WriteLastFileUsed();
    std::optional<QString> StartupFileNames();
    void OpenStartupFile(const QString& name);
    bool OpenAsUntitledCopy(const QString& path);
    void OfferRecoveredCopies(CrashRecovery& recovery);

private:
    void RememberInRecentList(const QString& name);
    void ShowTitleAfterFailedRead(bool wasNamed);
    void ShowStop(const QString& text, const QString& caption);
    // Runs save until it does not fail, asking "Error saving %s." with Retry and Cancel after each
    // failure; the last result is the answer.
    PimDocument::FileResult SaveWithRetry(const std::function<PimDocument::FileResult()>& save);

    PimDocument& m_document;
    platform::PromptService& m_prompt;
    RecentFileList& m_recentFiles;
    platform::SettingsStore& m_settings;
    FileSettings m_fileSettings;
    TitleSetter m_setTitle;
    bool m_openLastFile = false;
};
