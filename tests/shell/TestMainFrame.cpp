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
#include "shell/SplashWindow.h"
#include "support/FakePrintDialogs.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

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

using platform::PromptAnswer;

namespace {

DateTime today() {
    return DateTime(2024, 5, 15, 0, 0, 0);
}

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
        document.Tasks.Add(task);
    }
    Person person;
    person.RName = "Doe, Jane";
    person.WhitePages = 1;
    document.Persons.Add(person);
    if (!document.WriteToFile(path))
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

    void freshStart_data();
    void freshStart();
    void freshStartRulesForCommandsStillToCome();
    void choosingADailyReportChecksIt();
    void clickingTheCalendarDisablesDeleteAndEdit();
    void recordCommandsFollowTheActiveList();
    void routesFrameCommandsFirstThenTheDayView();
    void viewToolbarAndStatusBarToggle();
    void alarmSoundAsksThroughTheWindowsPrompts();
    void closeAsksToSaveAndCancelKeepsRunning();
    void exitClosesAnUnmodifiedDocument();
    void startupFileFromTheCommandLine();
    void missingStartupFileGivesAnEmptyDocument();
    void commandLineWinsOverOpenLastFile();
    void lastFileUsedIsReopened();
    void untitledLastFileStartsUntitled();
    void recentListSurvivesARestart();
    void windowNeverSmallerThanAtStart();
    void helpTopicsShowsTheIntroduction();
    void missingHelpFolderDoesNothing();
    void aboutBoxShowsNameAndVersion();
    void previewTakesTheDayViewsPlace();
    void splashClosesOnAKeyOrAClick_data();
    void splashClosesOnAKeyOrAClick();
};

void TestMainFrame::init() {
    QSettings().clear();
    QSettings().sync();
    platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
}

void TestMainFrame::freshStart_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::newRow("Save") << int(cmd::FileSave) << false << false;
    QTest::newRow("Backup") << int(cmd::FileBackup) << false << false;
    QTest::newRow("Print") << int(cmd::FilePrint) << false << false;
    QTest::newRow("Print Preview") << int(cmd::FilePrintPreview) << false << false;
    QTest::newRow("Compact") << int(cmd::FileCompact) << false << false;
    QTest::newRow("Export Tasks") << int(cmd::ExportTasks) << false << false;
    QTest::newRow("Export Phone Book") << int(cmd::ExportPhoneBook) << false << false;
    QTest::newRow("Export Appointments") << int(cmd::ExportAppointments) << false << false;
    QTest::newRow("Daily Tasks and Appointments") << int(cmd::ReportDailyPlan) << false << false;
    QTest::newRow("Daily Tasks") << int(cmd::ReportDailyTasks) << false << false;
    QTest::newRow("Daily Appointments") << int(cmd::ReportDailyAppointments) << false << false;
    QTest::newRow("Report Phone Book") << int(cmd::ReportAddressBook) << false << false;
    QTest::newRow("Envelopes") << int(cmd::ReportEnvelopes) << false << false;
    QTest::newRow("Tasks Delete") << int(cmd::TaskDelete) << false << false;
    QTest::newRow("Tasks Complete") << int(cmd::TaskComplete) << false << false;
    QTest::newRow("Phone Book Delete") << int(cmd::PersonDelete) << false << false;
    QTest::newRow("Appointments Delete") << int(cmd::AppointmentDelete) << false << false;
    QTest::newRow("New") << int(cmd::FileNew) << true << false;
    QTest::newRow("Open") << int(cmd::FileOpen) << true << false;
    QTest::newRow("Save As") << int(cmd::FileSaveAs) << true << false;
    QTest::newRow("Exit") << int(cmd::AppExit) << true << false;
    QTest::newRow("Open Last File On Start") << int(cmd::OpenLastFileOnStart) << true << false;
    QTest::newRow("Toolbar") << int(cmd::ViewToolbar) << true << true;
    QTest::newRow("Status Bar") << int(cmd::ViewStatusBar) << true << true;
    QTest::newRow("Help Topics") << int(cmd::HelpTopics) << true << false;
    QTest::newRow("About") << int(cmd::HelpAbout) << true << false;
    QTest::newRow("Context help") << int(cmd::ContextHelp) << true << false;
}

void TestMainFrame::freshStart() {
    QFETCH(int, id);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    Frame f;
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavoro! [Untitled]"));
    QCOMPARE(f.enabled(id), enabled);
    QCOMPARE(f.checked(id), checked);
}

// Weekly Plan, Monthly Plan and Report Font are enabled by their rules; the menu item follows
// once its report exists.
void TestMainFrame::freshStartRulesForCommandsStillToCome() {
    Frame f;
    const CommandContext context = f->GatherContext();
    for (int id : {int(cmd::ReportWeeklyPlan), int(cmd::ReportMonthlyPlan), int(cmd::ReportFont)}) {
        QCOMPARE(CommandRules::StateOf(id, context)->enabled, true);
        QCOMPARE(f.enabled(id), f->IsCommandAvailable(id));
    }
    QCOMPARE(f->StatusText()->text(), QStringLiteral("Ready"));
    QVERIFY(f->PreviewToolBar()->isHidden());
}

void TestMainFrame::choosingADailyReportChecksIt() {
    Frame f;
    Task task;
    task.DueDate = today();
    f->Document().Tasks.Add(task);
    f->Document().NotifyChanged();
    QVERIFY(f.enabled(cmd::ReportDailyTasks));
    QVERIFY(f.enabled(cmd::ReportDailyPlan));
    QVERIFY(!f.enabled(cmd::ReportDailyAppointments));
    QVERIFY(f->Route(cmd::ReportDailyTasks));
    QCOMPARE(f->View()->ReportKind(), 4);
    QVERIFY(f.checked(cmd::ReportDailyTasks));
    QVERIFY(!f.checked(cmd::ReportDailyPlan));
    const CommandContext context = f->GatherContext();
    QVERIFY(CommandRules::StateOf(cmd::FilePrint, context)->enabled);
    QVERIFY(CommandRules::StateOf(cmd::FilePrintPreview, context)->enabled);
    QCOMPARE(f.enabled(cmd::FilePrint), f->IsCommandAvailable(cmd::FilePrint));
}

void TestMainFrame::clickingTheCalendarDisablesDeleteAndEdit() {
    Frame f;
    Task task;
    task.DueDate = today();
    f->Document().Tasks.Add(task);
    f->Document().NotifyChanged();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
    DayListView* tasks = f->View()->TaskList();
    QTest::mouseClick(tasks->viewport(), Qt::LeftButton, {}, tasks->visualRect(tasks->model()->index(0, 0)).center());
    QVERIFY(f.enabled(cmd::TaskDelete));
    QVERIFY(f.enabled(cmd::TaskComplete));
    QCOMPARE(f.enabled(cmd::TaskEdit), f->IsCommandAvailable(cmd::TaskEdit));

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
    // In print preview only the preview's own commands and Print are updated.
    context.previewing = true;
    context.canNextPage = true;
    QVERIFY(!CommandRules::StateOf(cmd::TaskDelete, context).has_value());
    QVERIFY(CommandRules::StateOf(cmd::PreviewNextPage, context)->enabled);
    QVERIFY(!CommandRules::StateOf(cmd::PreviewPrevPage, context)->enabled);
    QVERIFY(!CommandRules::StateOf(cmd::FilePrint, context)->enabled);
    context.reportKind = 6;
    QVERIFY(CommandRules::StateOf(cmd::FilePrint, context)->enabled);
}

void TestMainFrame::routesFrameCommandsFirstThenTheDayView() {
    Frame f;
    QVERIFY(f->Route(cmd::ViewToolbar));
    QVERIFY(!f.checked(cmd::ViewToolbar));
    QVERIFY(f->Route(cmd::ReportDailyAppointments)); // the day view's
    QCOMPARE(f->View()->ReportKind(), 5);
    QVERIFY(f->Route(cmd::RecentFileFirst + 3));
    QVERIFY(!f->Route(12345));
}

void TestMainFrame::viewToolbarAndStatusBarToggle() {
    Frame f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.frame.get()));
    f->Action(cmd::ViewToolbar)->trigger();
    QVERIFY(f->MainToolBar()->isHidden());
    QVERIFY(!f.checked(cmd::ViewToolbar));
    f->Action(cmd::ViewToolbar)->trigger();
    QVERIFY(!f->MainToolBar()->isHidden());
    QVERIFY(f.checked(cmd::ViewToolbar));

    f->Action(cmd::ViewStatusBar)->trigger();
    QVERIFY(f->statusBar()->isHidden());
    QVERIFY(!f.checked(cmd::ViewStatusBar));
    f->Action(cmd::ViewStatusBar)->trigger();
    QVERIFY(!f->statusBar()->isHidden());
    QVERIFY(f.checked(cmd::ViewStatusBar));
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
    QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Tavoro!"));
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

void TestMainFrame::startupFileFromTheCommandLine() {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("My Documents/Plans 2024"));
    const QString path = writeDocument(dir.filePath("My Documents/Plans 2024/home.pgr"), 2);
    Frame f;
    f->OpenStartupDocument({path});
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavoro! [%1]").arg(path));
    QCOMPARE(f->Document().FileName(), path);
    QCOMPARE(f->RecentFiles().Entries().constLast(), path);
    f->UpdateCommandStates();
    QCOMPARE(f->View()->TaskList()->model()->rowCount(), 2);
    QCOMPARE(f->View()->PhoneBookList()->model()->rowCount(), 1);
    QVERIFY(!f->Document().IsModified());
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestMainFrame::missingStartupFileGivesAnEmptyDocument() {
    QTemporaryDir dir;
    const QString path = dir.filePath("gone.pgr");
    Frame f;
    f->OpenStartupDocument({path});
    QCOMPARE(f->windowTitle(), QStringLiteral("Tavoro! [%1]").arg(path));
    QCOMPARE(f->Document().Tasks.Count(), 0u);
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(f->RecentFiles().Entries().constLast(), path);
}

void TestMainFrame::commandLineWinsOverOpenLastFile() {
    QTemporaryDir dir;
    const QString path = writeDocument(dir.filePath("a.pgr"), 1);
    platform::SettingsStore().writeNumber("Files", "OpenLastFile", 1);
    Frame f;
    f->OpenStartupDocument({path});
    QVERIFY(!f.checked(cmd::OpenLastFileOnStart));
    f->Route(cmd::OpenLastFileOnStart);
    QVERIFY(f.checked(cmd::OpenLastFileOnStart));
    QCOMPARE(platform::SettingsStore().readNumber("Files", "OpenLastFile"), 1);
}

void TestMainFrame::lastFileUsedIsReopened() {
    QTemporaryDir dir;
    const QString path = writeDocument(dir.filePath("last.pgr"), 3);
    platform::SettingsStore settings;
    settings.writeNumber("Files", "OpenLastFile", 1);
    settings.writeText("Files", "LastFileUsed", path);
    Frame f;
    f->OpenStartupDocument({});
    QVERIFY(f.checked(cmd::OpenLastFileOnStart));
    QCOMPARE(f->Document().FileName(), path);
    QCOMPARE(f->Document().Tasks.Count(), 3u);
}

void TestMainFrame::untitledLastFileStartsUntitled() {
    platform::SettingsStore().writeNumber("Files", "OpenLastFile", 1);
    {
        Frame f;
        f->OpenStartupDocument({});
        QVERIFY(f->close());
    }
    QCOMPARE(platform::SettingsStore().readText("Files", "LastFileUsed"), QStringLiteral("Untitled"));
    Frame next;
    next->OpenStartupDocument({});
    QCOMPARE(next->windowTitle(), QStringLiteral("Tavoro! [Untitled]"));
    QCOMPARE(next->Document().Persons.Count(), 0u);
    QCOMPARE(next->RecentFiles().Entries().constLast(), QStringLiteral("Untitled"));
    QVERIFY(next->Document().HasNoFileName());
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
    QCOMPARE(next->Document().FileName(), second);
    QCOMPARE(next->windowTitle(), QStringLiteral("Tavoro! [%1]").arg(second));
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

void TestMainFrame::aboutBoxShowsNameAndVersion() {
    Frame f;
    f->show();
    QString title;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        QVERIFY(about);
        title = about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                texts.append(label->text());
        about->close();
    });
    f->Route(cmd::HelpAbout);
    QCOMPARE(title, QStringLiteral("About Tavoro!"));
    QCOMPARE(texts, (QStringList{"Tavoro!", "VERSION 1.5"}));
}

void TestMainFrame::previewTakesTheDayViewsPlace() {
    FakePrintDialogs dialogs;
    FakePromptService prompts;
    MainFrame frame(prompts, QStringLiteral(TAVORO_HELP_FOLDER), &dialogs);
    Task task;
    task.Description = "Preview me";
    task.DueDate = today();
    frame.Document().Tasks.Add(task);
    frame.Document().NotifyChanged();
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
    QVERIFY(!frame.Action(cmd::PreviewPrevPage)->isEnabled());
    QVERIFY(frame.Action(cmd::PreviewZoomIn)->isEnabled());
    QVERIFY(!frame.Action(cmd::PreviewZoomOut)->isEnabled());
    QVERIFY(frame.Action(cmd::FilePrint)->isEnabled());
    frame.Route(cmd::PreviewZoomIn);
    frame.UpdateCommandStates();
    QVERIFY(frame.Action(cmd::PreviewZoomOut)->isEnabled());

    frame.Route(cmd::PreviewClose);
    QVERIFY(!frame.InPreview());
    QCOMPARE(pages->currentWidget(), static_cast<QWidget*>(frame.View()));
    QVERIFY(!frame.MainToolBar()->isHidden());
    QVERIFY(frame.PreviewToolBar()->isHidden());
    QCOMPARE(frame.StatusText()->text(), QStringLiteral("Ready"));

    // Closing the window leaves the preview first.
    frame.Route(cmd::FilePrintPreview);
    QVERIFY(frame.close());
    QVERIFY(!frame.InPreview());
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
    QStringList texts;
    for (QLabel* label : splash.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts.append(label->text());
    QCOMPARE(texts, (QStringList{"Tavoro!", "Version 1.5"}));
}

TAVORO_TEST_MAIN(TestMainFrame)
#include "TestMainFrame.moc"
