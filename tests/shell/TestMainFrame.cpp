#include "DayRecords.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "reports/PreviewWidget.h"
#include "shell/CommandIds.h"
#include "shell/CommandRules.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/HelpViewer.h"
#include "shell/MainFrame.h"
#include "shell/RestoreBackupDialog.h"
#include "shell/SplashWindow.h"
#include "support/FakePrintDialogs.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"
#include "support/WhenModal.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

using platform::PromptAnswer;

namespace {

using dayrecords::today;

struct Frame {
    explicit Frame(const QString& helpFolder = QStringLiteral(TAVORO_HELP_FOLDER))
        : frame(std::make_unique<MainFrame>(prompts, helpFolder)) {}
    MainFrame& operator*() { return *frame; }
    MainFrame* operator->() { return frame.get(); }
    bool enabled(int id) {
        frame->UpdateCommandStates();
        return frame->Action(id)->isEnabled();
    }
    bool checked(int id) {
        frame->UpdateCommandStates();
        return frame->Action(id)->isChecked();
    }

    FakePromptService prompts;
    std::unique_ptr<MainFrame> frame;
};

QString writeDocument(const QString& path, int tasksToday) {
    PimDocument document;
    for (int i = 0; i < tasksToday; ++i) {
        Task task;
        task.Description = "task " + std::to_string(i + 1);
        task.DueDate = today();
        document.Add(task);
    }
    Person person;
    person.RName = "Doe, Jane";
    person.WhitePages = 1;
    document.Add(person);
    if (!DocumentStorage(document).WriteToFile(path))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QStringList recentMenuTexts(MainFrame& frame) {
    QStringList texts;
    for (QAction* action : frame.RecentFilesMenu()->actions())
        texts.append(action->text());
    return texts;
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void freshStart();
    void choosingADailyReportChecksIt();
    void clickingTheCalendarDisablesDeleteAndEdit();
    void recordCommandsFollowTheActiveList();
    void routesFrameCommandsFirstThenTheDayView();
    void viewToolbarAndStatusBarToggle();
    void alarmSoundAsksThroughTheWindowsPrompts();
    void closeAsksToSaveAndCancelKeepsRunning();
    void exitClosesAnUnmodifiedDocument();
    void startupFileFromTheCommandLine_data();
    void startupFileFromTheCommandLine();
    void openLastFileOnStart_data();
    void openLastFileOnStart();
    void recentListSurvivesARestart();
    void restoreBackupOpensTheChosenCopy();
    void windowNeverSmallerThanAtStart();
    void helpTopicsShowsTheIntroduction();
    void missingHelpFolderDoesNothing();
    void aboutBoxOpensOverTheWindow();
    void previewTakesTheDayViewsPlace();
    void listKeysRunTheMenuCommands();
    void splashClosesOnAKeyOrAClick_data();
    void splashClosesOnAKeyOrAClick();
};

void TestMainFrame::init() {
    QSettings().clear();
    QSettings().sync();
    platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
}

void TestMainFrame::freshStart() {
    Frame f;
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavoro! [Untitled]"));
    QCOMPARE(f->StatusText()->text(), QStringLiteral("Ready"));
    QVERIFY(f->PreviewToolBar()->isHidden());
    using namespace cmd;
    const int disabled[] = {FileSave,         FileBackup,       FilePrint,         FilePrintPreview,
                            FileCompact,      ExportTasks,      ExportPhoneBook,   ExportAppointments,
                            ReportDailyPlan,  ReportDailyTasks, ReportAddressBook, ReportDailyAppointments,
                            ReportEnvelopes,  TaskDelete,       TaskComplete,      PersonDelete,
                            AppointmentDelete};
    const int enabled[] = {FileNew,           FileOpen,        FileSaveAs,          AppExit,
                           ImportTasks,       ImportPhoneBook, ImportAppointments,  ReportWeeklyPlan,
                           ReportMonthlyPlan, ReportFont,      OpenLastFileOnStart, ViewToolbar,
                           ViewStatusBar,     HelpTopics,      HelpAbout,           ContextHelp};
    for (int id : disabled)
        QVERIFY2(!f.enabled(id) && !f.checked(id), qPrintable(QString::number(id)));
    for (int id : enabled)
        QVERIFY2(f.enabled(id) && f.checked(id) == (id == ViewToolbar || id == ViewStatusBar),
                 qPrintable(QString::number(id)));
}

void TestMainFrame::choosingADailyReportChecksIt() {
    Frame f;
    Task task;
    task.DueDate = today();
    f->Document().Add(task);
    f->Document().NotifyChanged();
    QVERIFY(f.enabled(cmd::ReportDailyTasks));
    QVERIFY(f.enabled(cmd::ReportDailyPlan));
    QVERIFY(!f.enabled(cmd::ReportDailyAppointments));
    QVERIFY(f->Route(cmd::ReportDailyTasks));
    QCOMPARE(f->View()->ReportKind(), ReportKind::DailyTasks);
    QVERIFY(f.checked(cmd::ReportDailyTasks));
    QVERIFY(!f.checked(cmd::ReportDailyPlan));
    QVERIFY(f.enabled(cmd::FilePrint));
    QVERIFY(f.enabled(cmd::FilePrintPreview));
}

void TestMainFrame::clickingTheCalendarDisablesDeleteAndEdit() {
    Frame f;
    Task task;
    task.DueDate = today();
    f->Document().Add(task);
    f->Document().NotifyChanged();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
    DayListView* tasks = f->View()->TaskList();
    QTest::mouseClick(tasks->viewport(), Qt::LeftButton, {}, tasks->visualRect(tasks->model()->index(0, 0)).center());
    QVERIFY(f.enabled(cmd::TaskDelete));
    QVERIFY(f.enabled(cmd::TaskEdit));

    f->View()->Calendar()->setSelectedDate(QDate(2024, 5, 20));
    for (int id : {int(cmd::TaskDelete), int(cmd::TaskEdit), int(cmd::TaskComplete), int(cmd::PersonDelete),
                   int(cmd::PersonEdit), int(cmd::AppointmentDelete), int(cmd::AppointmentEdit)})
        QVERIFY2(!f.enabled(id), qPrintable(QString::number(id)));
    // Choosing the day again does not bring the task back under Delete.
    f->View()->Calendar()->setSelectedDate(QDate(2024, 5, 15));
    QVERIFY(!f.enabled(cmd::TaskDelete));
}

void TestMainFrame::recordCommandsFollowTheActiveList() {
    CommandContext context;
    context.taskSelected = true;
    context.personSelected = true;
    context.activeList = ActiveList::PhoneBook;
    QVERIFY(CommandRules::StateOf(cmd::PersonDelete, context)->enabled);
    QVERIFY(!CommandRules::StateOf(cmd::TaskDelete, context)->enabled);
    context.activeList = ActiveList::Tasks;
    QVERIFY(!CommandRules::StateOf(cmd::PersonEdit, context)->enabled);
    QVERIFY(CommandRules::StateOf(cmd::TaskComplete, context)->enabled);
    // In print preview the record and document commands are disabled; the preview's follow it.
    QVERIFY(!CommandRules::StateOf(cmd::PreviewClose, context)->enabled);
    context.previewing = true;
    context.canNextPage = true;
    for (int id : {int(cmd::TaskComplete), int(cmd::FileNew), int(cmd::ImportTasks), int(cmd::EditUser)})
        QVERIFY(!CommandRules::StateOf(id, context)->enabled);
    context.audibleAlarm = true;
    QVERIFY(CommandRules::StateOf(cmd::AudibleAlarm, context)->checked); // disabled, still ticked
    QVERIFY(CommandRules::StateOf(cmd::ReportMonthlyPlan, context)->enabled);
    QVERIFY(CommandRules::StateOf(cmd::PreviewClose, context)->enabled);
    QVERIFY(CommandRules::StateOf(cmd::PreviewNextPage, context)->enabled);
    QVERIFY(!CommandRules::StateOf(cmd::PreviewPrevPage, context)->enabled);
    QVERIFY(!CommandRules::StateOf(cmd::FilePrint, context)->enabled);
    context.reportKind = ReportKind::WeeklyPlan;
    QVERIFY(CommandRules::StateOf(cmd::FilePrint, context)->enabled);
}

void TestMainFrame::routesFrameCommandsFirstThenTheDayView() {
    Frame f;
    QVERIFY(f->Route(cmd::ViewToolbar));
    QVERIFY(!f.checked(cmd::ViewToolbar));
    QVERIFY(f->Route(cmd::ReportDailyAppointments)); // the day view's
    QCOMPARE(f->View()->ReportKind(), ReportKind::DailyAppointments);
    QVERIFY(f->Route(cmd::RecentFileFirst + 3));
    QVERIFY(!f->Route(12345));
}

void TestMainFrame::viewToolbarAndStatusBarToggle() {
    Frame f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
    const std::pair<int, QWidget*> bars[] = {{cmd::ViewToolbar, f->MainToolBar()},
                                             {cmd::ViewStatusBar, f->statusBar()}};
    for (const auto& [id, bar] : bars) {
        for (bool shown : {false, true}) {
            f->Action(id)->trigger();
            QCOMPARE(bar->isHidden(), !shown);
            QCOMPARE(f.checked(id), shown);
        }
    }
}

void TestMainFrame::alarmSoundAsksThroughTheWindowsPrompts() {
    Frame f;
    f.prompts.queueFileName(QStringLiteral("/home/ada/gong.wav"));
    f->Action(cmd::AlarmSound)->trigger();
    QCOMPARE(f.prompts.dialogs.size(), 1);
    QCOMPARE(QSettings().value(QStringLiteral("Alarm/AlarmSound")).toString(), QStringLiteral("/home/ada/gong.wav"));
}

void TestMainFrame::closeAsksToSaveAndCancelKeepsRunning() {
    Frame f;
    f->show();
    f->Document().SetModified(true);
    f.prompts.queueAnswer(PromptAnswer::Cancel);
    QVERIFY(!f->close());
    QVERIFY(f->isVisible());
    QCOMPARE(f.prompts.messages.size(), 1);
    QCOMPARE(f.prompts.messages[0].text, QStringLiteral("Save changes to Untitled?"));
    QCOMPARE(f.prompts.messages[0].buttons, platform::PromptButtons::YesNoCancel);
    QVERIFY(f->Document().IsModified());
    // LastFileUsed is written whatever the answer.
    QCOMPARE(platform::SettingsStore().readText("Files", "LastFileUsed"), QStringLiteral("Untitled"));

    f.prompts.queueAnswer(PromptAnswer::No);
    QVERIFY(f->close());
    QVERIFY(!f->isVisible());
}

void TestMainFrame::exitClosesAnUnmodifiedDocument() {
    Frame f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
    f->Action(cmd::AppExit)->trigger();
    QTRY_VERIFY(!f->isVisible());
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestMainFrame::startupFileFromTheCommandLine_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("in a folder with spaces") << true;
    QTest::newRow("missing: an empty document under its name") << false;
}

void TestMainFrame::startupFileFromTheCommandLine() {
    QFETCH(bool, exists);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("My Documents/Plans 2024"));
    const QString path = dir.filePath("My Documents/Plans 2024/home.pgr");
    if (exists)
        writeDocument(path, 2);
    Frame f;
    f->OpenStartupDocument({path});
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavoro! [%1]").arg(path));
    QCOMPARE(f->RecentFiles().Entries().constLast(), path);
    f->UpdateCommandStates();
    QCOMPARE(f->View()->TaskList()->model()->rowCount(), exists ? 2 : 0);
    QVERIFY(!f->Document().IsModified());
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestMainFrame::openLastFileOnStart_data() {
    QTest::addColumn<QString>("lastFileUsed"); // empty: a document with three tasks
    QTest::addColumn<bool>("onCommandLine");   // another document, with one task
    QTest::addColumn<bool>("checked");
    QTest::newRow("last file reopened") << QString() << false << true;
    QTest::newRow("untitled last file starts untitled") << "Untitled" << false << true;
    QTest::newRow("the command line wins, unchecked") << QString() << true << false;
}

void TestMainFrame::openLastFileOnStart() {
    QFETCH(QString, lastFileUsed);
    QFETCH(bool, onCommandLine);
    QFETCH(bool, checked);
    QTemporaryDir dir;
    const QString last = writeDocument(dir.filePath("last.pgr"), 3);
    const QString other = writeDocument(dir.filePath("other.pgr"), 1);
    platform::SettingsStore settings;
    settings.writeNumber("Files", "OpenLastFile", 1);
    settings.writeText("Files", "LastFileUsed", lastFileUsed.isEmpty() ? last : lastFileUsed);
    Frame f;
    f->OpenStartupDocument(onCommandLine ? QStringList{other} : QStringList{});
    QCOMPARE(f.checked(cmd::OpenLastFileOnStart), checked);
    QCOMPARE(f->Document().Tasks().Count(), onCommandLine ? 1u : lastFileUsed.isEmpty() ? 3u : 0u);
    QCOMPARE(f->Storage().HasNoFileName(), !lastFileUsed.isEmpty());
    // The command turns over what the menu shows.
    f->Route(cmd::OpenLastFileOnStart);
    QCOMPARE(f.checked(cmd::OpenLastFileOnStart), !checked);
    QCOMPARE(settings.readNumber("Files", "OpenLastFile"), checked ? 0 : 1);
}

void TestMainFrame::recentListSurvivesARestart() {
    QTemporaryDir dir;
    const QString first = writeDocument(dir.filePath("first.pgr"), 0);
    const QString second = writeDocument(dir.filePath("second.pgr"), 0);
    {
        Frame f;
        QCOMPARE(recentMenuTexts(*f), QStringList{"(Empty)"});
        f->OpenStartupDocument({first, second});
        QVERIFY(f->close());
    }
    Frame next;
    QCOMPARE(recentMenuTexts(*next),
             (QStringList{QStringLiteral("&1 %1").arg(second), QStringLiteral("&2 %1").arg(first)}));
    // The top item reopens the newest file.
    next->Route(cmd::RecentFileFirst);
    QCOMPARE(next->Storage().FileName(), second);
    QCOMPARE(next->windowTitle(), QStringLiteral("Tavoro! [%1]").arg(second));
}

void TestMainFrame::restoreBackupOpensTheChosenCopy() {
    QTemporaryDir dir;
    const QString path = writeDocument(dir.filePath("home.pgr"), 1);
    Frame f;
    f->OpenStartupDocument({path});
    QVERIFY(f.enabled(cmd::FileRestoreBackup));
    for (int i = 0; i < 2; ++i) { // each save keeps the file it replaces
        f->Document().Add(Person{});
        f->Document().SetModified(true);
        f->Route(cmd::FileSave);
    }
    QStringList persons;
    whenModal<RestoreBackupDialog>([&persons](RestoreBackupDialog* dialog) {
        for (int row = 0; row < dialog->List()->topLevelItemCount(); ++row)
            persons << dialog->List()->topLevelItem(row)->text(2);
        dialog->List()->setCurrentItem(dialog->List()->topLevelItem(1));
        dialog->accept();
    });
    f->Route(cmd::FileRestoreBackup);
    QCOMPARE(persons, (QStringList{"2", "1"})); // newest first
    QCOMPARE(f->Document().Persons().Count(), 1u);
    QVERIFY(f->Storage().HasNoFileName());
    QVERIFY(f->Document().IsModified());
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavoro! [Untitled*]"));
    QVERIFY(!f.enabled(cmd::FileRestoreBackup));
}

void TestMainFrame::windowNeverSmallerThanAtStart() {
    Frame f;
    const QSize initial = f->size();
    QCOMPARE(f->minimumSize(), initial);
    QVERIFY(f->View()->width() >= f->View()->DialogSize().width());
    f->resize(initial / 2);
    QCOMPARE(f->size(), initial);
}

void TestMainFrame::helpTopicsShowsTheIntroduction() {
    Frame f;
    f->show();
    f->Route(cmd::HelpTopics);
    QVERIFY(f->Help().Browser());
    QVERIFY(f->Help().Browser()->source().path().endsWith("/html/Introduction.htm"));
    QVERIFY(f->Help().Browser()->toPlainText().contains("The main window"));
    emit f->View()->helpRequested("/html/tasklist.htm>topic");
    QVERIFY(f->Help().Browser()->source().path().endsWith("/html/tasklist.htm"));
    QCOMPARE(f->Help().PageFor("Tavoro.chm::/html/phonebook.htm>topic"),
             QStringLiteral(TAVORO_HELP_FOLDER "/html/phonebook.htm"));
    QCOMPARE(f->Help().PageFor("/../help/html/calendar.htm"), QString());
    QCOMPARE(f->Help().PageFor("/html/nothing.htm"), QString());
}

void TestMainFrame::missingHelpFolderDoesNothing() {
    QTemporaryDir dir;
    Frame f(dir.filePath("no-help"));
    f->Route(cmd::HelpTopics);
    QVERIFY(!f->Help().Browser());
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestMainFrame::aboutBoxOpensOverTheWindow() {
    Frame f;
    f->show();
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        QVERIFY(about);
        title = about->windowTitle();
        about->close();
    });
    f->Route(cmd::HelpAbout);
    QCOMPARE(title, QStringLiteral("About Tavoro!"));
}

void TestMainFrame::previewTakesTheDayViewsPlace() {
    FakePrintDialogs dialogs;
    FakePromptService prompts;
    MainFrame frame(prompts, QStringLiteral(TAVORO_HELP_FOLDER), &dialogs);
    Task task;
    task.Description = "Preview me";
    task.DueDate = today();
    frame.Document().Add(task);
    frame.Document().SetModified(false);
    frame.show();
    frame.UpdateCommandStates();
    frame.Route(cmd::ReportDailyTasks);
    QCOMPARE(frame.View()->SelectedReport().Tasks.size(), 1u);

    frame.Route(cmd::FilePrintPreview);
    QVERIFY(frame.InPreview());
    auto* pages = qobject_cast<QStackedWidget*>(frame.centralWidget());
    QCOMPARE(pages->currentWidget(), static_cast<QWidget*>(frame.Preview()));
    QVERIFY(frame.MainToolBar()->isHidden());
    QVERIFY(!frame.PreviewToolBar()->isHidden());
    QCOMPARE(frame.StatusText()->text(), QStringLiteral("Page 1 of 1"));
    frame.UpdateCommandStates();
    QVERIFY(!frame.Action(cmd::PreviewNextPage)->isEnabled());
    QVERIFY(!frame.Action(cmd::PreviewZoomOut)->isEnabled());
    frame.Route(cmd::PreviewZoomIn);
    frame.UpdateCommandStates();
    QVERIFY(frame.Action(cmd::PreviewZoomOut)->isEnabled());

    // Esc closes it.
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!frame.InPreview());
    QVERIFY(pages->currentWidget()->isAncestorOf(frame.View())); // the day view, in its scroll area
    QVERIFY(!frame.MainToolBar()->isHidden());
    QCOMPARE(frame.StatusText()->text(), QStringLiteral("Ready"));

    // Closing the window leaves the preview first.
    frame.Route(cmd::FilePrintPreview);
    QVERIFY(frame.close());
    QVERIFY(!frame.InPreview());
}

// Arrow to a record, then Enter edits it and Del deletes it, through the menu's own commands.
void TestMainFrame::listKeysRunTheMenuCommands() {
    Frame f;
    for (const char* name : {"Wed", "Thu"}) {
        Task task;
        task.Description = name;
        task.DueDate = today();
        f->Document().Add(task);
    }
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
    f->View()->Controller().RefillAll();
    DayListView* tasks = f->View()->TaskList();
    tasks->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tasks, Qt::Key_Down);
    QTest::keyClick(tasks, Qt::Key_Down);

    whenModal<QDialog>([](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Task"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Description"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("rsday"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(tasks, Qt::Key_Return);
    QCOMPARE(f->Document().Tasks().Find(2)->Description, std::string("Thursday"));

    f->View()->Controller().RefillIfPending();
    QCOMPARE(tasks->SelectedRow(), 1);                  // still on the edited task
    f.prompts.queueAnswer(platform::PromptAnswer::Yes); // a confirmation, where one is asked
    tasks->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tasks, Qt::Key_Delete);
    QVERIFY(!f->Document().Tasks().Find(2));
    QVERIFY(f->Document().Tasks().Find(1));
}

void TestMainFrame::splashClosesOnAKeyOrAClick_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("Alt+F") << int(Qt::Key_F) << int(Qt::AltModifier) << true;
    QTest::newRow("a letter") << int(Qt::Key_A) << int(Qt::NoModifier) << false;
    QTest::newRow("mouse button") << 0 << 0 << true;
}

void TestMainFrame::splashClosesOnAKeyOrAClick() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    SplashWindow splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    if (key == 0)
        QTest::mouseClick(&splash, Qt::LeftButton);
    else
        QTest::keyClick(&splash, static_cast<Qt::Key>(key), static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(splash.isVisible(), !closes);
}

TAVORO_TEST_MAIN(TestMainFrame)
#include "TestMainFrame.moc"
