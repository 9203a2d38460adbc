#include "docfile/DocumentStorage.h"
#include "platform/ProgramFolders.h"
#include "shell/DayView.h"
#include "shell/HeldPromptService.h"
#include "shell/MainFrame.h"
#include "shell/StartupArguments.h"
#include "shell/StartupSequence.h"
#include "shell/reminders/DayReminders.h"
#include "shell/reminders/MissedRemindersWindow.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;
using Action = StartupArguments::Action;

// The command line, the splash's wait for notices, and reading the start-up document while the
// splash shows.
class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parsesArguments_data();
    void parsesArguments();
    void noticesWaitButQuestionsDoNot();
    void documentIsReadWhileTheSplashShows_data();
    void documentIsReadWhileTheSplashShows();
    void missedRemindersStayInFront();
    void dataFolder_data();
    void dataFolder();

private:
    QTemporaryDir m_dir;
};

void TestStartup::parsesArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("splash");
    QTest::addColumn<QStringList>("files");
    const QString cwd = QDir::currentPath();
    const QString parent = QDir::cleanPath(cwd + QStringLiteral("/.."));
    QTest::newRow("none") << QStringList{} << Action::Run << true << QStringList{};
    QTest::newRow("relative made absolute")
        << QStringList{"../docs/a.pgr"} << Action::Run << true << QStringList{parent + "/docs/a.pgr"};
    QTest::newRow("absolute kept, blanks and all")
        << QStringList{"/home/x/My Files/b.pgr"} << Action::Run << true << QStringList{"/home/x/My Files/b.pgr"};
    QTest::newRow("no splash, two files") << QStringList{"--no-splash", "a.pgr", "b.pgr"} << Action::Run << false
                                          << QStringList{cwd + "/a.pgr", cwd + "/b.pgr"};
    QTest::newRow("--help before files") << QStringList{"a.pgr", "--help"} << Action::ShowHelp << true << QStringList{};
    QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << true << QStringList{};
    QTest::newRow("--version") << QStringList{"--version"} << Action::ShowVersion << true << QStringList{};
    QTest::newRow("unknown option") << QStringList{"--bogus", "a.pgr"} << Action::Refuse << true << QStringList{};
    // Read again once the application has taken its own.
    QTest::newRow("toolkit's option") << QStringList{"-platform", "xcb", "a.pgr"} << Action::Refuse << true
                                      << QStringList{};
    QTest::newRow("after -- a file") << QStringList{"--", "--help"} << Action::Run << true
                                     << QStringList{cwd + "/--help"};
}

void TestStartup::parsesArguments() {
    QFETCH(QStringList, args);
    QFETCH(Action, action);
    QFETCH(bool, splash);
    QFETCH(QStringList, files);
    const StartupArguments parsed = StartupArguments::Parse(QStringList{"tavoro"} + args);
    QCOMPARE(parsed.action, action);
    QCOMPARE(parsed.showSplash, splash);
    QCOMPARE(parsed.fileNames, files);
    if (action == Action::ShowVersion)
        QCOMPARE(parsed.text, QStringLiteral("tavoro 1.5\n"));
    if (action == Action::Refuse)
        QCOMPARE(parsed.toolkitOptionsOnly, args.contains(QStringLiteral("-platform")));
}

void TestStartup::noticesWaitButQuestionsDoNot() {
    FakePromptService screen;
    HeldPromptService held(screen);
    int waitsEnded = 0;
    held.Hold([&] { ++waitsEnded; });
    QCOMPARE(held.message("first", "Tavoro", PromptButtons::Ok, PromptIcon::Stop), PromptAnswer::Ok);
    held.message("second", "Tavoro", PromptButtons::Ok, PromptIcon::Exclamation);
    QVERIFY(screen.messages.isEmpty());

    // The notices that waited are answered first.
    for (PromptAnswer answer : {PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Yes})
        screen.queueAnswer(answer);
    QCOMPARE(held.message("question", "Tavoro!", PromptButtons::YesNo, PromptIcon::Question), PromptAnswer::Yes);
    QCOMPARE(waitsEnded, 1);
    QCOMPARE(screen.messages.size(), 3);
    QCOMPARE(screen.messages.at(0).text, QStringLiteral("first"));
    QCOMPARE(screen.messages.at(1).icon, PromptIcon::Exclamation);
    QCOMPARE(screen.messages.at(2).text, QStringLiteral("question"));

    held.message("later", "Tavoro", PromptButtons::Ok, PromptIcon::Stop);
    QCOMPARE(screen.messages.size(), 4);
}

void TestStartup::documentIsReadWhileTheSplashShows_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("persons");
    QTest::addColumn<int>("notices");
    QVERIFY(m_dir.isValid());
    QTest::newRow("good document") << QStringLiteral(TAVORO_TEST_DATA "/docfile/version13.pgr") << 2 << 0;
    QTest::newRow("damaged document") << writeTestFile(m_dir.filePath(QStringLiteral("bad.pgr")),
                                                       "<Pim Version=\"1\">\r\n<Tasks>\r\n</Pim>\r\n")
                                      << 0 << 1;
}

void TestStartup::documentIsReadWhileTheSplashShows() {
    QFETCH(QString, file);
    QFETCH(int, persons);
    QFETCH(int, notices);
    FakePromptService screen;
    HeldPromptService held(screen);
    MainFrame frame(held, QString());

    // Looks at the window while the splash is up, once the start-up has had its turn, then
    // closes the splash as a click would.
    int personsDuringSplash = -1;
    qsizetype noticesDuringSplash = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* splash = QApplication::activeModalWidget();
        if (!splash || frame.Document().Persons().Count() != static_cast<size_t>(persons) ||
            frame.windowTitle().isEmpty())
            return;
        personsDuringSplash = static_cast<int>(frame.Document().Persons().Count());
        noticesDuringSplash = screen.messages.size();
        QVERIFY(!frame.isVisible());
        QTest::mouseClick(splash, Qt::LeftButton);
        poll.stop();
    });
    poll.start(50);
    StartupSequence(frame, held).Run({file}, true);

    QCOMPARE(personsDuringSplash, persons);
    QCOMPARE(noticesDuringSplash, 0);
    QCOMPARE(screen.messages.size(), notices);
    QVERIFY(frame.isVisible());
    QVERIFY(!held.IsHolding());
}

// Missed reminders listed while the splash shows are not left behind the main window.
void TestStartup::missedRemindersStayInFront() {
    PimDocument missed;
    Appointment yesterday;
    yesterday.Description = "Dentist";
    yesterday.DueDate = DateTime::Today() - DateTimeSpan(1.0);
    yesterday.StartTime = yesterday.DueDate + DateTimeSpan(0, 10, 0, 0);
    yesterday.EndTime = yesterday.DueDate + DateTimeSpan(0, 11, 0, 0);
    yesterday.AlarmTime = yesterday.DueDate + DateTimeSpan(0, 9, 45, 0);
    yesterday.Alarm = 1;
    missed.Add(yesterday);
    const QString file = m_dir.filePath(QStringLiteral("missed.pgr"));
    QVERIFY(DocumentStorage(missed).Save(file));

    FakePromptService screen;
    HeldPromptService held(screen);
    MainFrame frame(held, QString());
    ReminderCenter& center = frame.View()->Reminders().Center();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* splash = QApplication::activeModalWidget();
        if (splash && center.MissedWindow()) {
            QTest::mouseClick(splash, Qt::LeftButton);
            poll.stop();
        }
    });
    poll.start(50);
    StartupSequence(frame, held).Run({file}, true);
    QVERIFY(center.MissedWindow());
    QCoreApplication::processEvents(); // the activations the window system was asked for, in their order
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(center.MissedWindow()));
}

void TestStartup::dataFolder_data() {
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    QTest::newRow("installed") << "prefix/share/tavoro"
                               << "prefix/bin"
                               << "prefix/share/tavoro";
    QTest::newRow("build tree") << "build/src/shell"
                                << "build/src/shell"
                                << "build/src/shell";
}

void TestStartup::dataFolder() {
    QFETCH(QString, made);
    QFETCH(QString, program);
    QFETCH(QString, expected);
    QVERIFY(QDir(m_dir.path()).mkpath(made));
    QDir(m_dir.path()).mkpath(program);
    QCOMPARE(platform::DataFolderFor(m_dir.filePath(program)), m_dir.filePath(expected));
}

TAVORO_TEST_MAIN(TestStartup)
#include "TestStartup.moc"
