#include "MainFrame.h"

#include "AboutDialog.h"
#include "Artwork.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "DayView.h"
#include "FocusHelp.h"
#include "HelpTopics.h"
#include "HelpViewer.h"
#include "RestoreBackupDialog.h"
#include "contacts/DesktopContacts.h"
#include "platform/gui/QtPrintDialogs.h"
#include "reports/PreviewWidget.h"
#include "reports/PrintCommands.h"
#include "sync/SyncCommands.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

// The commands the main window handles itself, by number. Every other number goes to the day
// view. An entry without a handler is a command whose dialog does not exist yet: it stays disabled.
const MainFrame::Command MainFrame::kCommands[] = {
    {cmd::FileNew, &MainFrame::OnFileNew},
    {cmd::FileOpen, &MainFrame::OnFileOpen},
    {cmd::FileSave, &MainFrame::OnFileSave},
    {cmd::FileSaveAs, &MainFrame::OnFileSaveAs},
    {cmd::FileBackup, &MainFrame::OnFileBackup},
    {cmd::FileCompact, &MainFrame::OnFileCompact},
    {cmd::FileRestoreBackup, &MainFrame::OnFileRestoreBackup},
    {cmd::ImportTasks, &MainFrame::OnImportTasks},
    {cmd::ImportPhoneBook, &MainFrame::OnImportPhoneBook},
    {cmd::ImportAppointments, &MainFrame::OnImportAppointments},
    {cmd::ExportTasks, &MainFrame::OnExportTasks},
    {cmd::ExportPhoneBook, &MainFrame::OnExportPhoneBook},
    {cmd::ExportAppointments, &MainFrame::OnExportAppointments},
    {cmd::ImportContacts, &MainFrame::OnImportContacts},
    {cmd::ImportCalendar, &MainFrame::OnImportCalendar},
    {cmd::ExportContacts, &MainFrame::OnExportContacts},
    {cmd::ExportCalendar, &MainFrame::OnExportCalendar},
    {cmd::FileSynchronize, &MainFrame::OnFileSynchronize},
    {cmd::SyncSettings, &MainFrame::OnSyncSettings},
    {cmd::FilePrint, &MainFrame::OnFilePrint},
    {cmd::FilePageSetup, &MainFrame::OnFilePageSetup},
    {cmd::FilePrintPreview, &MainFrame::OnFilePrintPreview},
    {cmd::FileExportPdf, &MainFrame::OnFileExportPdf},
    {cmd::PreviewClose, &MainFrame::OnPreviewClose},
    {cmd::PreviewNextPage, &MainFrame::OnPreviewNextPage},
    {cmd::PreviewPrevPage, &MainFrame::OnPreviewPrevPage},
    {cmd::PreviewZoomIn, &MainFrame::OnPreviewZoomIn},
    {cmd::PreviewZoomOut, &MainFrame::OnPreviewZoomOut},
    {cmd::ReportFont, &MainFrame::OnReportFont},
    {cmd::AppExit, &MainFrame::OnAppExit},
    {cmd::OpenLastFileOnStart, &MainFrame::OnOpenLastFileOnStart},
    {cmd::ViewToolbar, &MainFrame::OnViewToolbar},
    {cmd::ViewStatusBar, &MainFrame::OnViewStatusBar},
    {cmd::HelpTopics, &MainFrame::OnHelpTopics},
    {cmd::HelpAbout, &MainFrame::OnHelpAbout},
};

MainFrame::MainFrame(platform::PromptService& prompt, const QString& helpFolder, platform::PrintDialogs* printDialogs,
                     QWidget* parent)
    : QMainWindow(parent), m_prompt(prompt) {
    setObjectName(QStringLiteral("mainFrame"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::MainWindow));
    setWindowIcon(Artwork::WindowIcon());
    setAcceptDrops(true);
    m_fileCommands = std::make_unique<DocumentCommands>(m_document, m_prompt, m_recentFiles, m_settings,
                                                        [this](const QString& name) { UpdateTitle(name); });
    m_recovery = std::make_unique<CrashRecovery>(m_document);
    m_help = std::make_unique<HelpViewer>(helpFolder, this);
    if (!printDialogs) {
        m_ownPrintDialogs = std::make_unique<platform::QtPrintDialogs>(this);
        printDialogs = m_ownPrintDialogs.get();
    }
    m_print = std::make_unique<PrintCommands>(*printDialogs);
    m_print->UseSettings(m_settings);

    createActions();
    createMenus();
    createToolBars();
    createStatusBar();

    m_recentFiles.AttachMenu(m_recentMenu);
    m_recentFiles.ReadFrom(m_settings);

    m_pages = new QStackedWidget(this);
    m_dayView = new DayView(m_document, m_pages);
    m_contacts = std::make_unique<DesktopContacts>(m_prompt);
    m_dayView->SetContactActions(&m_contacts->Actions());
    m_dayView->SetPromptService(&m_prompt);
    m_pages->addWidget(m_dayView);
    m_preview = new PreviewWidget(*m_print, m_pages);
    m_preview->setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Printing));
    m_pages->addWidget(m_preview);
    connect(m_print.get(), &PrintCommands::statusText, m_statusText, &QLabel::setText);
    m_sync = new SyncCommands(m_document, m_prompt, m_settings, this);
    connect(m_sync, &SyncCommands::statusText, m_statusText, &QLabel::setText);
    connect(m_sync, &SyncCommands::runningChanged, this, &MainFrame::UpdateCommandStates);
    m_sync->SetSaver([this] { m_fileCommands->Save(); });
    setCentralWidget(m_pages);
    connect(m_dayView, &DayView::helpRequested, this, [this](const QString& topic) { m_help->ShowTopic(topic); });
    // A list's Enter and Del run the menu's command, when the menu would let them.
    connect(m_dayView, &DayView::commandRequested, this, [this](int id) {
        UpdateCommandStates();
        if (QAction* action = Action(id); action && action->isEnabled())
            Route(id);
    });
    // F1 asks for the help of the focused control, in this window and in the dialogs over it.
    auto* focusHelp = new FocusHelp(this);
    qApp->installEventFilter(focusHelp);
    connect(focusHelp, &FocusHelp::topicRequested, this, [this](const QString& topic) { m_help->ShowTopic(topic); });
    // Persons chosen while the preview shows replace the report in it: what is printed is what
    // was just chosen, and the preview stays open.
    auto showChosenReport = [this] {
        if (InPreview())
            OnPreviewClose();
        Route(cmd::FilePrintPreview);
    };
    connect(m_dayView, &DayView::previewRequested, this, showChosenReport);
    connect(m_dayView, &DayView::printRequested, this, [this, showChosenReport] {
        if (InPreview())
            showChosenReport();
        Route(cmd::FilePrint);
    });

    UpdateCommandStates();
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &MainFrame::UpdateCommandStates);
    // A save drops the recovery file at once, not at the next tick.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, m_recovery.get(),
            &CrashRecovery::Settle);

    sizeToDayView();
    UpdateTitle(m_document.TitleName());
}

MainFrame::~MainFrame() {
    // A synchronisation still running ends before the document it works on.
    delete m_sync;
    m_sync = nullptr;
    // The day view observes the document and the preview shows the print commands' page: both go
    // before what they show.
    delete m_pages;
    m_pages = nullptr;
    m_dayView = nullptr;
}

void MainFrame::UpdateTitle(const QString& name) {
    m_titleName = name;
    showTitle();
}

void MainFrame::showTitle() {
    // A file that another program holds is open read-only, and the title says so.
    const QString modified = m_document.IsModified() ? QStringLiteral("*") : QString();
    const QString title =
        QStringLiteral("Tavoro! [%1%2]%3")
            .arg(m_titleName, modified, m_document.IsReadOnly() ? QStringLiteral(" (read-only)") : QString());
    if (title != windowTitle())
        setWindowTitle(title);
}

void MainFrame::nameUndoSteps() {
    const UndoHistory& history = m_document.History();
    const struct {
        int id;
        QString verb;
        QString step;
    } items[] = {{cmd::EditUndo, QStringLiteral("Undo"), history.UndoName()},
                 {cmd::EditRedo, QStringLiteral("Redo"), history.RedoName()}};
    for (const auto& item : items) {
        QAction* action = m_actions.value(item.id);
        const CommandInfo* entry = CommandTable::Find(item.id);
        const QString named = item.step.isEmpty() ? QString() : QLatin1Char(' ') + item.step;
        action->setText(QString::fromLatin1(entry->text) + named);
        action->setStatusTip(item.step.isEmpty() ? QString::fromLatin1(entry->prompt) : item.verb + named);
    }
}

// ---- Window construction ----

void MainFrame::createActions() {
    for (const CommandInfo& entry : CommandTable::Entries()) {
        if (entry.id == 0 || entry.id == cmd::RecentFileFirst)
            continue;
        auto* action = new QAction(QString::fromLatin1(entry.text), this);
        action->setData(entry.id);
        action->setStatusTip(QString::fromLatin1(entry.prompt));
        const QString tooltip = QString::fromLatin1(entry.tooltip);
        action->setToolTip(tooltip.isEmpty() ? QString::fromLatin1(entry.text).remove(QLatin1Char('&')) : tooltip);
        if (entry.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        action->setIcon(Artwork::CommandIcon(entry.id));
        action->setIconVisibleInMenu(false);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { Route(id); });
        m_actions.insert(id, action);
    }
    m_actions.value(cmd::EditRedo)
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    const int checkable[] = {cmd::ReportDailyPlan,   cmd::ReportDailyTasks,    cmd::ReportDailyAppointments,
                             cmd::ReportWeeklyPlan,  cmd::ReportMonthlyPlan,   cmd::ReportEnvelopes,
                             cmd::ReportAddressBook, cmd::OpenLastFileOnStart, cmd::AudibleAlarm,
                             cmd::ViewToolbar,       cmd::ViewStatusBar};
    for (int id : checkable)
        m_actions.value(id)->setCheckable(true);
}

void MainFrame::createMenus() {
    QHash<QString, QMenu*> menus;
    for (const char* title : CommandTable::MenuTitles())
        menus.insert(QString::fromLatin1(title), menuBar()->addMenu(QString::fromLatin1(title)));

    QHash<QString, QMenu*> submenus;
    for (const CommandInfo& entry : CommandTable::Entries()) {
        if (!entry.menu)
            continue;
        QMenu* menu = menus.value(QString::fromLatin1(entry.menu));
        if (entry.submenu) {
            const QString key = QString::fromLatin1(entry.menu) + QLatin1Char('/') + QString::fromLatin1(entry.submenu);
            QMenu*& submenu = submenus[key];
            if (!submenu)
                submenu = menu->addMenu(QString::fromLatin1(entry.submenu));
            menu = submenu;
        }
        if (entry.id == 0) {
            menu->addSeparator();
        } else if (entry.id == cmd::RecentFileFirst) {
            // The recent-file list replaces this placeholder with its entries.
            m_recentMenu = menu;
            QAction* placeholder = menu->addAction(QString::fromLatin1(entry.text));
            placeholder->setData(entry.id);
            placeholder->setEnabled(false);
        } else {
            menu->addAction(m_actions.value(entry.id));
        }
    }

    // Recent-file items come and go with the list; their number is the action's data.
    connect(m_recentMenu, &QMenu::triggered, this, [this](QAction* action) {
        const int id = action->data().toInt();
        if (cmd::isRecentFile(id))
            Route(id);
    });
    connect(m_recentMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : m_recentMenu->actions())
            action->setStatusTip(QStringLiteral("Open this document"));
    });
}

void MainFrame::createToolBars() {
    m_mainToolBar = addToolBar(QStringLiteral("Toolbar"));
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_mainToolBar->setMovable(false);
    m_mainToolBar->setIconSize(QSize(16, 16));
    const int mainButtons[] = {
        cmd::FileNew,   cmd::FileOpen,   cmd::FileSave, 0, cmd::FilePrintPreview, cmd::FilePrint, 0,
        cmd::HelpAbout, cmd::ContextHelp};
    for (int id : mainButtons) {
        if (id == 0)
            m_mainToolBar->addSeparator();
        else
            m_mainToolBar->addAction(m_actions.value(id));
    }

    m_previewToolBar = addToolBar(QStringLiteral("Print Preview"));
    m_previewToolBar->setObjectName(QStringLiteral("previewToolBar"));
    m_previewToolBar->setMovable(false);
    m_previewToolBar->setIconSize(QSize(16, 16));
    const int previewButtons[] = {cmd::PreviewPrevPage, cmd::PreviewNextPage, cmd::FilePrint,      cmd::FileExportPdf,
                                  cmd::FilePageSetup,   cmd::PreviewZoomIn,   cmd::PreviewZoomOut, cmd::PreviewClose};
    for (int id : previewButtons)
        m_previewToolBar->addAction(m_actions.value(id));
    m_previewToolBar->hide();
}

void MainFrame::createStatusBar() {
    m_statusText = new QLabel(QStringLiteral("Ready"), this);
    m_statusText->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(m_statusText, 1);
}

void MainFrame::sizeToDayView() {
    m_dayView->setMinimumSize(m_dayView->DialogSize());
    resize(minimumSizeHint());
    setMinimumSize(size());
}

void MainFrame::CentreOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

// ---- Command routing ----

const MainFrame::Command* MainFrame::FindCommand(int id) {
    for (const Command& command : kCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

bool MainFrame::Route(int id) {
    // What a running synchronisation fetched belongs to the document now open: it stops before
    // another takes its place.
    if (id == cmd::FileNew || id == cmd::FileOpen || id == cmd::FileRestoreBackup || cmd::isRecentFile(id))
        m_sync->Stop();
    const QString nameBefore = m_document.FileName();
    const bool modifiedBefore = m_document.IsModified();
    if (const Command* command = FindCommand(id)) {
        if (command->handler)
            (this->*command->handler)();
        SyncAfterFileCommand(id, nameBefore, modifiedBefore);
        return true;
    }
    if (cmd::isRecentFile(id)) {
        OnFileRecent(id);
        SyncAfterFileCommand(id, nameBefore, modifiedBefore);
        return true;
    }
    return m_dayView->HandleCommand(id);
}

void MainFrame::SyncAfterFileCommand(int id, const QString& nameBefore, bool modifiedBefore) {
    const bool opening = id == cmd::FileOpen || cmd::isRecentFile(id);
    const bool saving = id == cmd::FileSave || id == cmd::FileSaveAs;
    if (!opening && !saving)
        return;
    if (m_document.HasNoFileName() || m_document.IsModified())
        return;
    const bool renamed = m_document.FileName() != nameBefore;
    if (renamed || (saving && modifiedBefore))
        m_sync->SynchronizeInBackground();
}

bool MainFrame::IsCommandAvailable(int id) const {
    if (const Command* command = FindCommand(id))
        return command->handler != nullptr;
    if (cmd::isRecentFile(id))
        return true;
    if (m_dayView->HasCommand(id))
        return m_dayView->IsCommandAvailable(id);
    return true;
}

bool MainFrame::InPreview() const {
    return m_print->Preview().InPreview();
}

CommandContext MainFrame::GatherContext() const {
    const DayViewController& view = m_dayView->Controller();
    const PreviewController& preview = m_print->Preview();
    CommandContext context;
    context.previewing = preview.InPreview();
    context.canNextPage = preview.CanNextPage();
    context.canPreviousPage = preview.CanPreviousPage();
    context.canZoomIn = preview.CanZoomIn();
    context.canZoomOut = preview.CanZoomOut();
    context.modified = m_document.IsModified();
    context.canUndo = m_document.History().CanUndo();
    context.canRedo = m_document.History().CanRedo();
    context.hasFileName = !m_document.HasNoFileName();
    context.reportKind = m_dayView->ReportKind();
    context.activeList = view.Active();
    context.personSelected = view.SelectedPerson().id >= 0;
    context.taskSelected = view.SelectedTask().id >= 0;
    context.appointmentSelected = view.SelectedAppointment().id >= 0;
    context.persons = static_cast<int>(m_document.Persons().Count());
    context.tasks = static_cast<int>(m_document.Tasks().Count());
    context.appointments = static_cast<int>(m_document.Appointments().Count());
    context.taskRows = view.Tasks().Count();
    context.appointmentRows = view.Appointments().Count();
    context.openLastFile = m_fileCommands->OpenLastFileOnStart();
    context.audibleAlarm = m_dayView->AudibleAlarm();
    context.toolbarVisible = m_toolbarVisible;
    context.statusBarVisible = !statusBar()->isHidden();
    context.synchronizing = m_sync->IsRunning();
    return context;
}

void MainFrame::UpdateCommandStates() {
    if (!m_dayView)
        return;
    m_dayView->Controller().RefillIfPending();
    const CommandContext context = GatherContext();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const std::optional<CommandState> state = CommandRules::StateOf(it.key(), context);
        if (!state)
            continue;
        QAction* action = it.value();
        action->setEnabled(state->enabled && IsCommandAvailable(it.key()));
        if (action->isCheckable())
            action->setChecked(state->checked);
    }
    nameUndoSteps();
    showTitle();
}

// ---- Start-up and shutdown ----

void MainFrame::OpenStartupDocument(const QStringList& fileNames) {
    if (!fileNames.isEmpty()) {
        for (const QString& name : fileNames)
            if (!name.isEmpty())
                m_fileCommands->OpenStartupFile(name);
    } else {
        const std::optional<QString> lastFile = m_fileCommands->StartupFileNames();
        if (lastFile && !lastFile->isEmpty())
            m_fileCommands->OpenStartupFile(*lastFile);
    }
    // A start-up file that could not be read leaves an empty document under its name; synchronising
    // that would take every record away from the server.
    const PimRecords& records = m_document.Records();
    if (records.Persons.Count() + records.Tasks.Count() + records.Appointments.Count() > 0)
        m_sync->SynchronizeInBackground();
}

void MainFrame::OfferRecoveredCopies() {
    m_fileCommands->OfferRecoveredCopies(*m_recovery);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (InPreview())
        OnPreviewClose();
    // Before the save prompt, so that nothing arrives in the document after the user's answer.
    m_sync->Stop();
    const bool mayClose = m_fileCommands->SaveModified(QStringLiteral("Tavoro!"));
    m_fileCommands->WriteLastFileUsed();
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

// ---- The frame's own commands ----

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

void MainFrame::OnFileRecent(int id) {
    m_fileCommands->OpenRecentFile(id);
}

void MainFrame::OnFilePrint() {
    m_print->Print(m_dayView->SelectedReport());
}

void MainFrame::OnFileExportPdf() {
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Export to PDF");
    request.initialName = QFileInfo(m_document.TitleName()).completeBaseName() + QStringLiteral(".pdf");
    request.filters = {QStringLiteral("PDF Files (*.pdf)")};
    request.defaultExtension = QStringLiteral("pdf");
    const std::optional<QString> fileName = m_prompt.saveFileName(request);
    if (!fileName)
        return;
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
    m_pages->setCurrentWidget(previewing ? static_cast<QWidget*>(m_preview) : m_dayView);
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

void MainFrame::OnViewToolbar() {
    m_toolbarVisible = !m_toolbarVisible;
    m_mainToolBar->setVisible(m_toolbarVisible && !InPreview());
    m_actions.value(cmd::ViewToolbar)->setChecked(m_toolbarVisible);
}

void MainFrame::OnViewStatusBar() {
    const bool show = statusBar()->isHidden();
    statusBar()->setVisible(show);
    m_actions.value(cmd::ViewStatusBar)->setChecked(show);
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
