// The main window's own commands: the File menu but its import and export
// (MainFrameImportExport.cpp), printing and the preview, the report font, the options the window
// keeps, View and Help.
#include "MainFrame.h"

#include "AboutDialog.h"
#include "BirthdaySetting.h"
#include "CommandIds.h"
#include "DayView.h"
#include "DeleteConfirmation.h"
#include "HelpTopics.h"
#include "HelpViewer.h"
#include "RestoreBackupDialog.h"
#include "reports/PreviewWidget.h"
#include "reports/PrintCommands.h"
#include "sync/SyncCommands.h"
#include "views/AgendaView.h"
#include "views/WeekView.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

// What the menus and toolbars show of each command, and the handler that runs it.
const MainFrame::Command MainFrame::kCommands[] = {
    {{cmd::FileNew, "&New", "Ctrl+N", "Create a new document", "New"}, &MainFrame::OnFileNew},
    {{cmd::FileOpen, "&Open...", "Ctrl+O", "Open an existing document", "Open"}, &MainFrame::OnFileOpen},
    {{cmd::FileSave, "&Save", "Ctrl+S", "Save the active document", "Save"}, &MainFrame::OnFileSave},
    {{cmd::FileSaveAs, "Save &As...", nullptr, "Save the active document with a new name", "Save As"},
     &MainFrame::OnFileSaveAs},
    {{cmd::FileBackup, "&Backup...", nullptr, "Back up current file", "Back up"}, &MainFrame::OnFileBackup},
    {{cmd::FileCompact, "&Compact", nullptr, "Remove empty space and old tasks from file", "Compact"},
     &MainFrame::OnFileCompact},
    {{cmd::FileRestoreBackup, "&Restore Backup...", nullptr, "Open a copy of an earlier version of the current file",
      "Restore backup"},
     &MainFrame::OnFileRestoreBackup},
    {{cmd::ImportTasks, "&Tasks...", nullptr, "Import tasks from a text file", "Import tasks"},
     &MainFrame::OnImportTasks},
    {{cmd::ImportPhoneBook, "&Phone Book...", nullptr, "Import phone book from a text file", "Import phone book"},
     &MainFrame::OnImportPhoneBook},
    {{cmd::ImportAppointments, "&Appointments...", nullptr, "Import appointments from a text file", ""},
     &MainFrame::OnImportAppointments},
    {{cmd::ImportContacts, "&Contacts (vCard)...", nullptr, "Import contacts from a vCard file", "Import contacts"},
     &MainFrame::OnImportContacts},
    {{cmd::ImportCalendar, "Ca&lendar (iCalendar)...", nullptr, "Import appointments and tasks from an iCalendar file",
      "Import calendar"},
     &MainFrame::OnImportCalendar},
    {{cmd::ExportTasks, "&Tasks...", nullptr, "Export tasks to a text file", "Export tasks"},
     &MainFrame::OnExportTasks},
    {{cmd::ExportPhoneBook, "&Phone Book...", nullptr, "Export phone book to a text file", "Export phone book"},
     &MainFrame::OnExportPhoneBook},
    {{cmd::ExportAppointments, "&Appointments...", nullptr, "Export appointments to a text file",
      "Export appointments"},
     &MainFrame::OnExportAppointments},
    {{cmd::ExportContacts, "&Contacts (vCard)...", nullptr, "Export the phone book to a vCard file", "Export contacts"},
     &MainFrame::OnExportContacts},
    {{cmd::ExportCalendar, "Ca&lendar (iCalendar)...", nullptr, "Export appointments and tasks to an iCalendar file",
      "Export calendar"},
     &MainFrame::OnExportCalendar},
    {{cmd::FileSynchronize, "Synchroni&ze", "Ctrl+Shift+S", "Exchange changes with the calendar and contacts server",
      "Synchronize"},
     &MainFrame::OnFileSynchronize},
    {{cmd::FilePrint, "&Print...", "Ctrl+P", "Print the active document", "Print"}, &MainFrame::OnFilePrint},
    {{cmd::FilePageSetup, "Page Set&up...", nullptr, "Change the printing options", "Page Setup"},
     &MainFrame::OnFilePageSetup},
    {{cmd::FilePrintPreview, "Print Pre&view...", nullptr, "Display full pages", "Print Preview"},
     &MainFrame::OnFilePrintPreview},
    {{cmd::FileExportPdf, "Export to P&DF...", nullptr, "Write the chosen report to a PDF file", "Export to PDF"},
     &MainFrame::OnFileExportPdf},
    {{cmd::AppExit, "E&xit", nullptr, "Quit the application; prompts to save documents", "Exit"},
     &MainFrame::OnAppExit},
    {{cmd::OpenLastFileOnStart, "&Open Last File On Start", nullptr, "Open last file used when starting program",
      "Open last file", true},
     &MainFrame::OnOpenLastFileOnStart},
    {{cmd::ConfirmDelete, "Ask Before &Deleting", nullptr, "Ask before a person, task or appointment is deleted",
      "Ask before deleting", true},
     &MainFrame::OnConfirmDelete},
    {{cmd::SyncSettings, "&Synchronization Settings...", nullptr,
      "Choose the calendar and contacts server to synchronize with", "Synchronization settings"},
     &MainFrame::OnSyncSettings},
    {{cmd::ReportFont, "Report &Font...", nullptr, "Select font to use in reports", "Select reports font"},
     &MainFrame::OnReportFont},
    {{cmd::ViewDay, "&Day", "Ctrl+1", "Show the calendar, the day's tasks and appointments and the phone book", "Day",
      true},
     &MainFrame::OnViewDay},
    {{cmd::ViewWeek, "&Week", "Ctrl+2", "Show the week of the selected day", "Week", true}, &MainFrame::OnViewWeek},
    {{cmd::ViewAgenda, "&Agenda", "Ctrl+3", "Show the appointments and tasks of the coming days", "Agenda", true},
     &MainFrame::OnViewAgenda},
    {{cmd::ViewBirthdays, "Show &Birthdays", nullptr,
      "Show the birthdays and anniversaries of the phone book in the calendar, the views and the plans",
      "Show birthdays", true},
     &MainFrame::OnViewBirthdays},
    {{cmd::ViewToolbar, "&Toolbar", nullptr, "Show or hide the toolbar", "Toggle ToolBar", true},
     &MainFrame::OnViewToolbar},
    {{cmd::ViewStatusBar, "&Status Bar", nullptr, "Show or hide the status bar", "Toggle StatusBar", true},
     &MainFrame::OnViewStatusBar},
    {{cmd::HelpTopics, "&Help Topics", nullptr, "Display help file", "Help"}, &MainFrame::OnHelpTopics},
    {{cmd::HelpAbout, "&About Tavoro!...", nullptr, "Display program information, version number and copyright",
      "About"},
     &MainFrame::OnHelpAbout},
    // The print preview's toolbar.
    {{cmd::PreviewPrevPage, "Previous page", nullptr, "Go to previouse page", "Previous page"},
     &MainFrame::OnPreviewPrevPage},
    {{cmd::PreviewNextPage, "Next page", nullptr, "Go to next page", "Next page"}, &MainFrame::OnPreviewNextPage},
    {{cmd::PreviewZoomIn, "Zoom In", nullptr, "Zoom In", "Zoom In"}, &MainFrame::OnPreviewZoomIn},
    {{cmd::PreviewZoomOut, "Zoom Out", nullptr, "Zoom Out", "Zoom Out"}, &MainFrame::OnPreviewZoomOut},
    {{cmd::PreviewClose, "Close Preview", "Esc", "Close Print Preview window", "Close Preview"},
     &MainFrame::OnPreviewClose},
};

void MainFrame::createActions() {
    for (const Command& command : kCommands) {
        const auto handler = command.handler;
        m_commands.Add(
            command.text, [this, handler] { (this->*handler)(); }, this);
    }
    m_dayView->RegisterCommands(m_commands);
    connect(&m_commands, &CommandRegistry::triggered, this, &MainFrame::Route);
}

void MainFrame::OnFileNew() {
    m_fileCommands->New();
}

void MainFrame::OnFileOpen() {
    m_fileCommands->Open();
}

void MainFrame::OnFileSave() {
    m_fileCommands->Save();
}

void MainFrame::OnFileSaveAs() {
    m_fileCommands->SaveAs();
}

void MainFrame::OnFileBackup() {
    m_fileCommands->Backup();
}

void MainFrame::OnFileCompact() {
    m_fileCommands->Compact();
}

void MainFrame::OnFileRestoreBackup() {
    m_fileCommands->RestoreBackup([this](const QString& document, const std::vector<BackupStore::Backup>& backups) {
        RestoreBackupDialog dialog(document, backups, this);
        return dialog.exec() == QDialog::Accepted ? dialog.ChosenPath() : std::nullopt;
    });
}

void MainFrame::OnFilePrint() {
    m_print->Print(m_dayView->SelectedReport());
}

void MainFrame::OnFileExportPdf() {
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Export to PDF");
    // In the folder of the last PDF, else beside the document, never in the program's working folder.
    QString folder = m_pdfFolder;
    if (folder.isEmpty())
        folder = m_storage.HasNoFileName() ? QDir::homePath() : QFileInfo(m_storage.FileName()).absolutePath();
    request.initialName =
        QDir(folder).filePath(QFileInfo(m_storage.TitleName()).completeBaseName() + QStringLiteral(".pdf"));
    request.filters = {QStringLiteral("PDF Files (*.pdf)")};
    request.defaultExtension = QStringLiteral("pdf");
    const std::optional<QString> fileName = m_prompt.saveFileName(request);
    if (!fileName)
        return;
    m_pdfFolder = QFileInfo(*fileName).absolutePath();
    if (!m_print->ExportPdf(m_dayView->SelectedReport(), *fileName))
        m_prompt.message(QStringLiteral("Error writing %1.").arg(*fileName), QStringLiteral("Tavoro!"),
                         platform::PromptButtons::Ok, platform::PromptIcon::Stop);
}

void MainFrame::OnFilePageSetup() {
    m_print->PageSetup(m_dayView->SelectedReport());
}

void MainFrame::OnFilePrintPreview() {
    if (InPreview())
        OnPreviewClose();
    else if (m_print->EnterPreview(m_dayView->SelectedReport()))
        showPreview(true);
}

void MainFrame::OnPreviewClose() {
    if (!InPreview())
        return;
    m_print->LeavePreview();
    showPreview(false);
}

void MainFrame::OnPreviewNextPage() {
    m_print->NextPage();
}

void MainFrame::OnPreviewPrevPage() {
    m_print->PreviousPage();
}

void MainFrame::OnPreviewZoomIn() {
    m_print->ZoomIn();
}

void MainFrame::OnPreviewZoomOut() {
    m_print->ZoomOut();
}

void MainFrame::OnReportFont() {
    m_print->ChooseReportFont();
}

// The preview takes the day view's place and its toolbar the main toolbar's.
void MainFrame::showPreview(bool previewing) {
    m_pages->setCurrentWidget(previewing ? static_cast<QWidget*>(m_preview) : viewPage(m_mainView));
    m_mainToolBar->setVisible(!previewing && m_toolbarVisible);
    m_previewToolBar->setVisible(previewing);
    // The keys go to what is shown: Esc and the arrows to the preview, back to the day view after.
    if (previewing)
        m_preview->setFocus(Qt::OtherFocusReason);
    m_recentMenu->setEnabled(!previewing);
    if (!previewing)
        m_statusText->setText(QStringLiteral("Ready"));
    UpdateCommandStates();
}

void MainFrame::OnAppExit() {
    // As the window's close button: the close request comes back through closeEvent.
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainFrame::OnOpenLastFileOnStart() {
    m_fileCommands->ToggleOpenLastFileOnStart();
}

// Turns the question before a delete back on after "Do not ask again", or off.
void MainFrame::OnConfirmDelete() {
    DeleteConfirmation::SetAsks(!DeleteConfirmation::Asks());
    Action(cmd::ConfirmDelete)->setChecked(DeleteConfirmation::Asks());
}

void MainFrame::OnViewToolbar() {
    m_toolbarVisible = !m_toolbarVisible;
    m_mainToolBar->setVisible(m_toolbarVisible && !InPreview());
    Action(cmd::ViewToolbar)->setChecked(m_toolbarVisible);
}

void MainFrame::OnViewDay() {
    ShowView(MainView::Day);
}

void MainFrame::OnViewWeek() {
    ShowView(MainView::Week);
}

void MainFrame::OnViewAgenda() {
    ShowView(MainView::Agenda);
}

// The views ask for birthdays as they draw: a refresh shows the new choice at once.
void MainFrame::OnViewBirthdays() {
    BirthdaySetting::SetShown(!BirthdaySetting::Shown());
    Action(cmd::ViewBirthdays)->setChecked(BirthdaySetting::Shown());
    m_dayView->RefreshBirthdays();
    // The page on view shows the change at once; the other one catches up when it is shown.
    m_weekView->Refresh();
    if (m_agendaView->isVisible())
        m_agendaView->Refresh();
}

QWidget* MainFrame::viewPage(MainView view) const {
    switch (view) {
    case MainView::Week:
        return m_weekView;
    case MainView::Agenda:
        return m_agendaView;
    case MainView::Day:
        break;
    }
    return m_dayArea;
}

void MainFrame::ShowView(MainView view) {
    if (InPreview())
        OnPreviewClose();
    m_mainView = view;
    QWidget* page = viewPage(view);
    m_pages->setCurrentWidget(page);
    if (view != MainView::Day)
        page->setFocus(Qt::OtherFocusReason);
    UpdateCommandStates();
}

void MainFrame::OnViewStatusBar() {
    const bool show = statusBar()->isHidden();
    statusBar()->setVisible(show);
    Action(cmd::ViewStatusBar)->setChecked(show);
}

void MainFrame::OnHelpTopics() {
    m_help->ShowTopic(QString::fromLatin1(HelpTopics::MainWindow));
}

void MainFrame::OnFileSynchronize() {
    m_sync->Synchronize([this] { m_fileCommands->SaveAs(); });
}

void MainFrame::OnSyncSettings() {
    m_sync->EditSettings();
}

void MainFrame::OnHelpAbout() {
    AboutDialog about(this);
    about.exec();
}
