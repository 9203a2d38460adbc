#include "MainFrame.h"

#include "Artwork.h"
#include "BirthdaySetting.h"
#include "CommandIds.h"
#include "DayView.h"
#include "DeleteConfirmation.h"
#include "FocusHelp.h"
#include "HelpTopics.h"
#include "HelpViewer.h"
#include "MenuLayout.h"
#include "RecentFilesMenu.h"
#include "contacts/DesktopContacts.h"
#include "platform/gui/QtPrintDialogs.h"
#include "reminders/DayReminders.h"
#include "reports/PreviewWidget.h"
#include "reports/PrintCommands.h"
#include "sync/SyncCommands.h"
#include "views/AgendaView.h"
#include "views/WeekView.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

MainFrame::MainFrame(platform::PromptService& prompt, const QString& helpFolder, platform::PrintDialogs* printDialogs,
                     QWidget* parent)
    : QMainWindow(parent), m_prompt(prompt) {
    setObjectName(QStringLiteral("mainFrame"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::MainWindow));
    setWindowIcon(Artwork::WindowIcon());
    setAcceptDrops(true);
    m_fileCommands = std::make_unique<DocumentCommands>(m_storage, m_prompt, m_recentFiles, m_settings,
                                                        [this](const QString& name) { UpdateTitle(name); });
    m_recovery = std::make_unique<CrashRecovery>(m_storage);
    m_help = std::make_unique<HelpViewer>(helpFolder, this);
    if (!printDialogs) {
        m_ownPrintDialogs = std::make_unique<platform::QtPrintDialogs>(this);
        printDialogs = m_ownPrintDialogs.get();
    }
    m_print = std::make_unique<PrintCommands>(*printDialogs);
    m_print->UseSettings(m_settings);

    m_pages = new QStackedWidget(this);
    m_dayView = new DayView(m_document, m_pages);

    createActions();
    createMenus();
    createToolBars();
    createStatusBar();

    m_recentFilesMenu = new ::RecentFilesMenu(m_recentFiles, m_recentMenu, this);
    m_recentFiles.ReadFrom(m_settings);
    m_contacts = std::make_unique<DesktopContacts>(m_prompt);
    m_dayView->SetContactActions(&m_contacts->Actions());
    m_dayView->SetPromptService(&m_prompt);
    // On a screen too small for the whole form the day view scrolls rather than leave the screen.
    m_dayArea = new QScrollArea(m_pages);
    m_dayArea->setObjectName(QStringLiteral("dayViewArea"));
    m_dayArea->setFrameShape(QFrame::NoFrame);
    m_dayArea->setWidgetResizable(true);
    m_dayArea->setFocusPolicy(Qt::NoFocus); // the focus goes to the form's controls, not around them
    m_dayArea->setWidget(m_dayView);
    m_pages->addWidget(m_dayArea);
    m_weekView = new WeekView(*m_dayView, m_pages);
    m_pages->addWidget(m_weekView);
    m_agendaView = new AgendaView(*m_dayView, m_pages);
    m_pages->addWidget(m_agendaView);
    m_preview = new PreviewWidget(*m_print, m_pages);
    m_preview->setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Printing));
    m_pages->addWidget(m_preview);
    connect(m_print.get(), &PrintCommands::statusText, m_statusText, &QLabel::setText);
    m_sync = new SyncCommands(m_storage, m_prompt, m_settings, this);
    connect(m_sync, &SyncCommands::statusText, m_statusText, &QLabel::setText);
    connect(&m_dayView->Controller(), &DayViewController::statusMessage, m_statusText, &QLabel::setText);
    m_dayView->Reminders().Center().SetFileName(
        [this] { return m_storage.HasNoFileName() ? QString() : m_storage.FileName(); });
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
    // The week's and the agenda's keys run the same commands as the day view's lists.
    connect(m_weekView, &WeekView::commandRequested, m_dayView, &DayView::commandRequested);
    connect(m_agendaView, &AgendaView::commandRequested, m_dayView, &DayView::commandRequested);
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
    UpdateTitle(m_storage.TitleName());
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
            .arg(m_titleName, modified, m_storage.IsReadOnly() ? QStringLiteral(" (read-only)") : QString());
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
        QAction* action = m_commands.Action(item.id);
        const CommandText* entry = m_commands.Text(item.id);
        const QString named = item.step.isEmpty() ? QString() : QLatin1Char(' ') + item.step;
        action->setText(QString::fromLatin1(entry->text) + named);
        action->setStatusTip(item.step.isEmpty() ? QString::fromLatin1(entry->prompt) : item.verb + named);
    }
}

// ---- Window construction ----

void MainFrame::createMenus() {
    QHash<QString, QMenu*> menus;
    for (const char* title : MenuLayout::MenuTitles())
        menus.insert(QString::fromLatin1(title), menuBar()->addMenu(QString::fromLatin1(title)));

    QHash<QString, QMenu*> submenus;
    for (const MenuItem& item : MenuLayout::Items()) {
        QMenu* menu = menus.value(QString::fromLatin1(item.menu));
        if (item.submenu) {
            const QString key = QString::fromLatin1(item.menu) + QLatin1Char('/') + QString::fromLatin1(item.submenu);
            QMenu*& submenu = submenus[key];
            if (!submenu)
                submenu = menu->addMenu(QString::fromLatin1(item.submenu));
            menu = submenu;
        }
        if (item.id == 0)
            menu->addSeparator();
        else if (item.id == cmd::RecentFileFirst)
            m_recentMenu = menu; // the recent-file list fills it
        else
            menu->addAction(m_commands.Action(item.id));
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
            m_mainToolBar->addAction(m_commands.Action(id));
    }

    m_previewToolBar = addToolBar(QStringLiteral("Print Preview"));
    m_previewToolBar->setObjectName(QStringLiteral("previewToolBar"));
    m_previewToolBar->setMovable(false);
    m_previewToolBar->setIconSize(QSize(16, 16));
    const int previewButtons[] = {cmd::PreviewPrevPage, cmd::PreviewNextPage, cmd::FilePrint,      cmd::FileExportPdf,
                                  cmd::FilePageSetup,   cmd::PreviewZoomIn,   cmd::PreviewZoomOut, cmd::PreviewClose};
    // The preview has no menu of its own: its buttons are reached with Tab from the page.
    for (int id : previewButtons) {
        m_previewToolBar->addAction(m_commands.Action(id));
        m_previewToolBar->widgetForAction(m_commands.Action(id))->setFocusPolicy(Qt::TabFocus);
    }
    m_previewToolBar->hide();
}

void MainFrame::createStatusBar() {
    m_statusText = new QLabel(QStringLiteral("Ready"), this);
    m_statusText->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(m_statusText, 1);
}

// The window opens as large as the day view's form asks, within the screen's work area (less
// room for the window's frame), and may never be made smaller than that.
void MainFrame::sizeToDayView() {
    m_dayView->setMinimumSize(m_dayView->DialogSize());
    m_dayArea->setMinimumSize(m_dayView->minimumSize().expandedTo(m_dayView->minimumSizeHint()));
    QSize wanted = minimumSizeHint();
    m_dayArea->setMinimumSize(0, 0);
    if (const QScreen* screen = this->screen()) {
        const QSize frameRoom(16, 48);
        wanted = wanted.boundedTo(screen->availableGeometry().size() - frameRoom);
    }
    resize(wanted);
    setMinimumSize(wanted);
}

void MainFrame::CentreOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    // A window taller or wider than the work area keeps its title bar and menus on the screen.
    frame.moveLeft(std::max(frame.left(), area.left()));
    frame.moveTop(std::max(frame.top(), area.top()));
    move(frame.topLeft());
}

// ---- Command routing ----

bool MainFrame::Route(int id) {
    // What a running synchronisation fetched belongs to the document now open: it stops before
    // another takes its place.
    const bool replacing =
        id == cmd::FileNew || id == cmd::FileOpen || id == cmd::FileRestoreBackup || cmd::isRecentFile(id);
    if (replacing)
        m_sync->Stop();
    const QString nameBefore = m_storage.FileName();
    const bool modifiedBefore = m_document.IsModified();
    if (const std::optional<int> position = ::RecentFilesMenu::PositionOf(id))
        m_fileCommands->OpenRecentFile(*position);
    else if (!m_commands.Run(id))
        return false;
    // What the status bar said of the document before (a sync that failed) is not said of this one.
    if (replacing && (id == cmd::FileNew || m_storage.FileName() != nameBefore))
        m_statusText->setText(QStringLiteral("Ready"));
    SyncAfterFileCommand(id, nameBefore, modifiedBefore);
    return true;
}

void MainFrame::SyncAfterFileCommand(int id, const QString& nameBefore, bool modifiedBefore) {
    const bool opening = id == cmd::FileOpen || cmd::isRecentFile(id);
    const bool saving = id == cmd::FileSave || id == cmd::FileSaveAs;
    if (!opening && !saving)
        return;
    if (m_storage.HasNoFileName() || m_document.IsModified())
        return;
    const bool renamed = m_storage.FileName() != nameBefore;
    if (renamed || (saving && modifiedBefore))
        m_sync->SynchronizeInBackground();
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
    context.hasFileName = !m_storage.HasNoFileName();
    context.hasBackupSource = !m_fileCommands->BackupSource().isEmpty();
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
    context.confirmDelete = DeleteConfirmation::Asks();
    context.birthdaysShown = BirthdaySetting::Shown();
    context.mainView = m_mainView;
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
    for (int id : m_commands.Ids()) {
        const std::optional<CommandState> state = CommandRules::StateOf(id, context);
        if (!state)
            continue;
        QAction* action = m_commands.Action(id);
        action->setEnabled(state->enabled);
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
