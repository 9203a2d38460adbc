#include "docfile/CrashRecovery.h"
#include "docfile/DocumentCommands.h"
#include "docfile/PimDocument.h"
#include "docfile/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

using namespace std::chrono_literals;
using platform::PromptAnswer;

namespace {

int personsIn(const QString& path) {
    PimDocument document;
    FakePromptService quiet;
    return document.ReadFromFile(path, quiet) ? int(document.Persons().Count()) : -1;
}

} // namespace

class TestCrashRecovery : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString folder() const { return m_folder.filePath(QStringLiteral("recovery")); }

    // What a program that crashed while editing leaves: its copy, its document's name, a stale lock.
    QString leaveCrashedCopy(const char* session, int persons) {
        QDir().mkpath(folder());
        PimDocument document;
        for (int i = 0; i < persons; ++i)
            document.Add(Person{});
        const QString base = QDir(folder()).filePath(QLatin1String(session));
        if (!document.Save(base + ".pgr"))
            qFatal("cannot write %s", session);
        writeTestFile(base + ".name", "/home/ann/home.pgr");
        writeTestFile(base + ".lock", "1073741823\ntavoro\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        return base + ".pgr";
    }

private slots:
    void init() {
        QSettings().clear();
        QDir(folder()).removeRecursively();
    }

    // The file exists exactly while there are unsaved changes, written by the timer.
    void keepsUnsavedChangesOnly() {
        PimDocument document;
        auto recovery = std::make_unique<CrashRecovery>(document, folder(), 10ms);
        const QString file = recovery->FilePath();
        recovery->Tick();
        QVERIFY(!QFile::exists(file));

        document.Add(Person{});
        document.SetModified(true);
        QTRY_COMPARE(personsIn(file), 1);
        document.Add(Person{});
        QTRY_COMPARE(personsIn(file), 2);

        document.SetModified(false); // saved
        recovery->Settle();
        QVERIFY(!QFile::exists(file));

        document.SetModified(true);
        recovery->Tick();
        QVERIFY(QFile::exists(file));
        QVERIFY(recovery->Leftovers().empty()); // its own file is no leftover
        CrashRecovery other(document, folder());
        QVERIFY(other.Leftovers().empty()); // nor is a running program's
        recovery.reset();                   // a normal close
        QVERIFY(QDir(folder()).isEmpty());
    }

    // After a crash the newest leftover is offered first: Yes opens it untitled and modified, No
    // discards it.
    void offersWhatACrashLeft_data() {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("persons"); // in the document afterwards
        QTest::addColumn<int>("leftoversAfter");
        QTest::newRow("open the newest") << QList<int>{int(PromptAnswer::Yes)} << 2 << 1;
        QTest::newRow("discard it, open the older")
            << QList<int>{int(PromptAnswer::No), int(PromptAnswer::Yes)} << 1 << 0;
        QTest::newRow("discard both") << QList<int>{int(PromptAnswer::No), int(PromptAnswer::No)} << 0 << 0;
    }
    void offersWhatACrashLeft() {
        QFETCH(QList<int>, answers);
        QFETCH(int, persons);
        QFETCH(int, leftoversAfter);
        const QString older = leaveCrashedCopy("older", 1);
        QFile(older).setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
        leaveCrashedCopy("newer", 2);

        PimDocument document;
        FakePromptService prompt;
        RecentFileList recent;
        platform::SettingsStore store;
        DocumentCommands commands(document, prompt, recent, store, [](const QString&) {});
        CrashRecovery recovery(document, folder());
        for (int answer : answers)
            prompt.queueAnswer(PromptAnswer(answer));
        commands.OfferRecoveredCopies(recovery);

        QCOMPARE(prompt.messages.size(), answers.size());
        QVERIFY(prompt.messages[0].text.startsWith(
            "Tavoro! did not close normally. Unsaved changes to /home/ann/home.pgr from "));
        QCOMPARE(int(document.Persons().Count()), persons);
        QCOMPARE(document.IsModified(), persons > 0);
        QVERIFY(document.HasNoFileName());
        QCOMPARE(int(recovery.Leftovers().size()), leftoversAfter);
        // What was opened is safe in this program's own recovery file before the leftover goes.
        QCOMPARE(personsIn(recovery.FilePath()), persons > 0 ? persons : -1);
    }
};

TAVORO_TEST_MAIN(TestCrashRecovery)
#include "TestCrashRecovery.moc"
