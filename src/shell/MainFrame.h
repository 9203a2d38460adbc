#pragma once

#include "CommandRegistry.h"
#include "CommandRules.h"
#include "DocumentCommands.h"
#include "docfile/CrashRecovery.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "docfile/RecentFileList.h"
#include "platform/SettingsStore.h"

#include <QMainWindow>

#include <memory>

class AgendaView;
class DayView;
class WeekView;
class PreviewWidget;
class PrintCommands;
class DesktopContacts;
class HelpViewer;
class RecentFilesMenu;
class SyncCommands;
enum class RecordKind : std::uint8_t;
class QLabel;
class QMenu;
class QScrollArea;
class QStackedWidget;
class QToolBar;

namespace platform {
class PrintDialogs;
class PromptService;
} // namespace platform

// The main window. It owns the one document with the file it is stored in, the day view that fills
// it, the recent-file list and the file commands for the whole run. Its commands and the day
// view's meet in one registry, by number; the window builds its menus and toolbars from it and
// keeps their items enabled and checked as the document and the day view change.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // `helpFolder` holds the help pages (beside the program). Without print dialogs of its own
    // the window shows the desktop's.
    MainFrame(platform::PromptService& prompt, const QString& helpFolder,
              platform::PrintDialogs* printDialogs = nullptr, QWidget* parent = nullptr);
    ~MainFrame() override;

    PimDocument& Document() { return m_document; }
    DocumentStorage& Storage() { return m_storage; }
    DayView* View() const { return m_dayView; }
    RecentFileList& RecentFiles() { return m_recentFiles; }
    DocumentCommands& FileCommands() { return *m_fileCommands; }
    HelpViewer& Help() { return *m_help; }
    PrintCommands& Printing() { return *m_print; }
    CrashRecovery& Recovery() { return *m_recovery; }
    PreviewWidget* Preview() const { return m_preview; }
    SyncCommands& Sync() { return *m_sync; }
    bool InPreview() const;
    // View > Day, Week and Agenda: what fills the window (leaving the print preview).
    void ShowView(MainView view);
    MainView CurrentView() const { return m_mainView; }
    WeekView* Week() const { return m_weekView; }
    AgendaView* Agenda() const { return m_agendaView; }

    // "Tavoro! [name]", the name being the document's full path or "Untitled", with a "*" after
    // the name while the document has unsaved changes.
    void UpdateTitle(const QString& name);

    // The menu item or toolbar button of a command; nullptr for an unknown number.
    QAction* Action(int id) const { return m_commands.Action(id); }
    QMenu* RecentFilesMenu() const { return m_recentMenu; }
    QToolBar* MainToolBar() const { return m_mainToolBar; }
    QToolBar* PreviewToolBar() const { return m_previewToolBar; }
    QLabel* StatusText() const { return m_statusText; }

    // Runs a command, whatever its menu item shows. False for a number nobody handles.
    bool Route(int id);

    // The idle update: refills the day view if the document changed, then recomputes which
    // commands are enabled and checked. Runs whenever the event loop is about to wait.
    void UpdateCommandStates();
    CommandContext GatherContext() const;

    // Start-up: opens each named file in turn; with no names, the last file used when the
    // settings ask for it.
    void OpenStartupDocument(const QStringList& fileNames);
    // Start-up after a crash: offers what the crashed program kept of its unsaved changes.
    void OfferRecoveredCopies();
    // Centres the window on the screen's work area.
    void CentreOnScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A vCard or iCalendar file dropped on the window is imported once the user agrees.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    // The window's own commands: what the menus show of each, and the handler that runs it
    // (MainFrameCommands.cpp).
    struct Command {
        CommandText text;
        void (MainFrame::*handler)();
    };
    static const Command kCommands[];

    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void sizeToDayView();
    void showTitle();
    // Edit > Undo and Redo name the step they would take, in the menu and the status prompt.
    void nameUndoSteps();

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileBackup();
    void OnFileCompact();
    void OnFileRestoreBackup();
    void OnFilePrint();
    void OnFilePageSetup();
    void OnFilePrintPreview();
    void OnFileExportPdf();
    void OnPreviewClose();
    void OnPreviewNextPage();
    void OnPreviewPrevPage();
    void OnPreviewZoomIn();
    void OnPreviewZoomOut();
    void OnReportFont();
    void showPreview(bool previewing);
    void OnAppExit();
    void OnOpenLastFileOnStart();
    void OnConfirmDelete();
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnViewDay();
    void OnViewWeek();
    void OnViewAgenda();
    void OnViewBirthdays();
    QWidget* viewPage(MainView view) const;
    void OnHelpTopics();
    void OnHelpAbout();
    // Import and Export through the wizard (MainFrameImportExport.cpp).
    void OnImportTasks();
    void OnImportPhoneBook();
    void OnImportAppointments();
    void OnExportTasks();
    void OnExportPhoneBook();
    void OnExportAppointments();
    void RunImportExport(RecordKind type, bool importing);
    // Contacts as vCard and the calendar as iCalendar (MainFrameImportExport.cpp).
    // Synchronisation with a calendar and contacts server (sync/SyncCommands).
    void OnFileSynchronize();
    void OnSyncSettings();
    // After a command that opened or saved the document: a background sync when the settings ask.
    void SyncAfterFileCommand(int id, const QString& nameBefore, bool modifiedBefore);
    void OnImportContacts();
    void OnImportCalendar();
    void OnExportContacts();
    void OnExportCalendar();

    platform::PromptService& m_prompt;
    platform::SettingsStore m_settings;
    PimDocument m_document;
    DocumentStorage m_storage{m_document};
    RecentFileList m_recentFiles;
    std::unique_ptr<DocumentCommands> m_fileCommands;
    std::unique_ptr<CrashRecovery> m_recovery;
    std::unique_ptr<HelpViewer> m_help;
    std::unique_ptr<platform::PrintDialogs> m_ownPrintDialogs;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<DesktopContacts> m_contacts;
    SyncCommands* m_sync = nullptr;

    CommandRegistry m_commands;
    QStackedWidget* m_pages = nullptr;
    DayView* m_dayView = nullptr;
    QScrollArea* m_dayArea = nullptr; // holds the day view
    PreviewWidget* m_preview = nullptr;
    WeekView* m_weekView = nullptr;
    AgendaView* m_agendaView = nullptr;
    MainView m_mainView = MainView::Day;
    QMenu* m_recentMenu = nullptr;
    ::RecentFilesMenu* m_recentFilesMenu = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_previewToolBar = nullptr;
    QLabel* m_statusText = nullptr;
    bool m_toolbarVisible = true;
    QString m_titleName;
    QString m_pdfFolder; // where the last PDF of this run went
};
