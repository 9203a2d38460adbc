#include "docfile/CrashRecovery.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "shell/MainFrame.h"
#include "support/FakePromptService.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

// The main window killed while a document has unsaved changes, and started again. The program
// that is killed runs in a process of its own: this test's executable, started with
// "--edit-and-wait DOC", opens DOC in the main window, changes it and waits to be killed.
namespace {

const char kChildOption[] = "--edit-and-wait";

int personsIn(const QString& path) {
    PimDocument document;
    FakePromptService quiet;
    return DocumentStorage(document).ReadFromFile(path, quiet) ? int(document.Persons().Count()) : -1;
}

// The recovery files in the folder, whoever wrote them.
QStringList recoveryFiles() {
    const QDir folder(CrashRecovery::StandardFolder());
    QStringList files;
    for (const QString& name : folder.entryList({QStringLiteral("*.pgr")}, QDir::Files))
        files << folder.filePath(name);
    return files;
}

int editAndWait(const QString& document) {
    FakePromptService nobody;
    MainFrame frame(nobody, QString());
    frame.OpenStartupDocument({document});
    frame.Document().Add(Person{});
    frame.show();
    return QApplication::exec();
}

} // namespace

class TestCrashRestart : public QObject {
    Q_OBJECT

private slots:
    // With Files/RecoveryMinutes at one second the killed program's changes are in its recovery
    // file within moments; the next start offers them, and Yes opens them as an untitled copy.
    void killedProgramsChangesAreOfferedAtTheNextStart() {
        QTemporaryDir folder;
        const QString document = folder.filePath(QStringLiteral("home.pgr"));
        {
            PimDocument original;
            original.Add(Person{});
            QVERIFY(DocumentStorage(original).Save(document));
        }
        QDir(CrashRecovery::StandardFolder()).removeRecursively();
        QSettings().setValue(QStringLiteral("Files/RecoveryMinutes"), QStringLiteral("1s"));
        QSettings().sync();

        QProcess program;
        program.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChildOption), document});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(recoveryFiles().size() == 1 && personsIn(recoveryFiles().constFirst()) == 2, 30000);
        program.kill();
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QCOMPARE(personsIn(document), 1); // never saved

        FakePromptService prompts;
        prompts.queueAnswer(platform::PromptAnswer::Yes);
        MainFrame next(prompts, QString());
        next.OfferRecoveredCopies();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages[0].text.startsWith(
                     QStringLiteral("Tavoro! did not close normally. Unsaved changes to %1 from ").arg(document)),
                 qPrintable(prompts.messages[0].text));
        QCOMPARE(int(next.Document().Persons().Count()), 2);
        QVERIFY(next.Storage().HasNoFileName());
        QVERIFY(next.Document().IsModified());
        QSettings().remove(QStringLiteral("Files/RecoveryMinutes"));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenset"));
    QApplication::setApplicationName(QStringLiteral("Tavoro!"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    tzset();
    if (argc == 3 && qstrcmp(argv[1], kChildOption) == 0)
        return editAndWait(QString::fromLocal8Bit(argv[2]));
    TestCrashRestart test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestCrashRestart.moc"
