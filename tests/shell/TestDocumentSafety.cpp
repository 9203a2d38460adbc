#include "docfile/BackupStore.h"
#include "docfile/CrashRecovery.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "docfile/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "shell/DocumentCommands.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

#include <unistd.h>

using platform::PromptAnswer;

// The file commands where another program holds the file, where no backup can be kept, and after
// a crash (the locks, backups and recovery files themselves: tests/docfile).

namespace {

const QByteArray kOriginal = "<Pim Version=\"1\"><Persons><Person ID=\"1\" FName=\"Ann\"/></Persons></Pim>";

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString lockOf(const QString& document) {
    const QFileInfo info(document);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".lock"));
}

// The lock another program took: pid, program and host, one a line.
void holdElsewhere(const QString& document) {
    writeTestFile(lockOf(document), "4242\ntavoro\ndesk-2\n");
}

int personsIn(const QString& path) {
    PimDocument document;
    FakePromptService quiet;
    return DocumentStorage(document).ReadFromFile(path, quiet) ? int(document.Persons().Count()) : -1;
}

struct Program {
    Program() : commands(storage, prompt, recent, store, [this](const QString& name) { titles << name; }) {}
    PimDocument document;
    DocumentStorage storage{document};
    FakePromptService prompt;
    RecentFileList recent;
    platform::SettingsStore store;
    QStringList titles;
    DocumentCommands commands;
};

} // namespace

class TestDocumentSafety : public QObject {
    Q_OBJECT

    QTemporaryDir m_data; // the user's data folder
    QTemporaryDir m_folder;
    QString path(const char* name) const { return m_folder.filePath(QLatin1String(name)); }
    QString recoveryFolder() const { return m_folder.filePath(QStringLiteral("recovery")); }

    // What a program that crashed while editing leaves: its copy, its document's name, a stale lock.
    QString leaveCrashedCopy(const char* session, int persons) {
        QDir().mkpath(recoveryFolder());
        PimDocument document;
        for (int i = 0; i < persons; ++i)
            document.Add(Person{});
        const QString base = QDir(recoveryFolder()).filePath(QLatin1String(session));
        if (!DocumentStorage(document).Save(base + ".pgr"))
            qFatal("cannot write %s", session);
        writeTestFile(base + ".name", "/home/ann/home.pgr");
        writeTestFile(base + ".lock", "1073741823\ntavoro\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        return base + ".pgr";
    }

private slots:
    void init() {
        QSettings().clear();
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
        QDir(m_data.path()).removeRecursively();
        QDir().mkpath(m_data.path());
        // Each case starts from an empty folder: no document, no lock left by the one before.
        QDir(m_folder.path()).removeRecursively();
        QDir().mkpath(m_folder.path());
    }

    // Opening a held file names its holder; No leaves everything as it was, Yes opens it read-only,
    // and Save then asks for another name instead of writing over it.
    void openingAHeldFile_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("cancel") << false;
        QTest::newRow("read-only") << true;
    }
    void openingAHeldFile() {
        QFETCH(bool, readOnly);
        Program p;
        const QString file = writeTestFile(path("home.pgr"), kOriginal);
        holdElsewhere(file);
        p.prompt.queueFileName(file);
        p.prompt.queueAnswer(readOnly ? PromptAnswer::Yes : PromptAnswer::No);
        p.commands.Open();
        QCOMPARE(p.prompt.messages.size(), 1);
        QVERIFY(p.prompt.messages[0].text.startsWith(file + " is in use by tavoro (process 4242 on desk-2"));
        QVERIFY(p.prompt.messages[0].text.endsWith("Do you want to open it read-only?"));
        QCOMPARE(p.document.Persons().Count(), std::size_t(readOnly ? 1 : 0));
        QCOMPARE(p.storage.FileName(), readOnly ? file : QString());
        QCOMPARE(p.storage.IsReadOnly(), readOnly);
        if (!readOnly)
            return;

        p.document.Add(Person{});
        p.document.SetModified(true);
        p.prompt.queueFileName(file); // the same name again is refused
        p.commands.Save();
        QCOMPARE(p.prompt.dialogs.size(), 2);
        QVERIFY(p.prompt.messages.last().text.endsWith("cannot be written over. Choose another name."));
        QCOMPARE(contents(file), kOriginal);
        QVERIFY(p.document.IsModified());

        const QString copy = path("copy.pgr");
        p.prompt.queueFileName(copy);
        p.commands.Save();
        QVERIFY(QFile::exists(copy));
        QCOMPARE(p.storage.FileName(), copy);
        QVERIFY(!p.storage.IsReadOnly());
        QCOMPARE(p.titles.last(), copy);
        QCOMPARE(contents(file), kOriginal);
    }

    // Compact of a read-only document writes nowhere but where the user says.
    void compactOfAReadOnlyDocument() {
        Program p;
        const QString file = writeTestFile(path("home.pgr"), kOriginal);
        holdElsewhere(file);
        p.prompt.queueAnswer(PromptAnswer::Yes);
        p.commands.OpenStartupFile(file);
        QVERIFY(p.storage.IsReadOnly());
        p.prompt.queueFileName(std::nullopt);
        p.commands.Compact();
        QCOMPARE(p.prompt.dialogs.size(), 1);
        QCOMPARE(contents(file), kOriginal);
        QVERIFY(p.document.IsModified());
    }

    // No room for backups: the save goes ahead and the program says what was not kept.
    void failedBackupDoesNotStopTheSave() {
        writeTestFile(QDir(m_data.path()).filePath(QStringLiteral("Quenset")), "a file where the folder should be");
        Program p;
        const QString file = writeTestFile(path("home.pgr"), "<Pim Version=\"1\"></Pim>");
        p.storage.SetFileName(file);
        p.document.Add(Person{});
        p.document.SetModified(true);
        p.commands.Save();
        QVERIFY(!p.document.IsModified());
        QVERIFY(contents(file).contains("<Person"));
        QCOMPARE(p.prompt.messages.size(), 1);
        QVERIFY(p.prompt.messages[0].text.startsWith(file + " was saved, but its previous version could not be kept"));
        QCOMPARE(p.prompt.messages[0].icon, platform::PromptIcon::Exclamation);
    }

    // Restore Backup of a document that has none says so (choosing and opening one: TestMainFrame).
    void restoreWithoutBackups() {
        Program p;
        p.storage.SetFileName(path("new.pgr"));
        p.commands.RestoreBackup(
            [](const QString&, const std::vector<BackupStore::Backup>&) { return std::optional<QString>(); });
        QCOMPARE(p.prompt.messages.size(), 1);
        QCOMPARE(p.prompt.messages[0].text, QStringLiteral("There are no backups of %1.").arg(path("new.pgr")));
    }

    // A document that fails to load offers the backups of that file, and opens the one chosen.
    void restoreBackupOfAFileThatFailedToLoad() {
        Program p;
        const QString file = writeTestFile(path("home.pgr"), kOriginal);
        p.commands.OpenStartupFile(file);
        p.document.Add(Person{});
        p.document.SetModified(true);
        p.commands.Save(); // kept the one person
        writeTestFile(file, "<Pim Version=\"1\"><Persons>");
        p.prompt.queueFileName(file);
        p.commands.Open();
        QVERIFY(p.storage.HasNoFileName());
        QCOMPARE(p.commands.BackupSource(), file);
        QString offeredFor;
        p.commands.RestoreBackup([&](const QString& document, const std::vector<BackupStore::Backup>& backups) {
            offeredFor = document;
            return std::optional<QString>(backups.front().path);
        });
        QCOMPARE(offeredFor, file);
        QCOMPARE(int(p.document.Persons().Count()), 1);
        QVERIFY(p.document.IsModified());
        p.prompt.queueAnswer(PromptAnswer::No); // not saving the restored copy
        p.commands.New();
        QVERIFY(p.commands.BackupSource().isEmpty());
    }

    // A write-protected document opens read-only: Save asks for a name; the user may choose the
    // file itself there, which the superuser then writes, keeping its mode.
    void writeProtectedDocumentIsSavedAsOnly() {
        Program p;
        const QString file = writeTestFile(path("home.pgr"), kOriginal);
        const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser;
        QVERIFY(QFile::setPermissions(file, readOnly));
        p.commands.OpenStartupFile(file);
        QVERIFY(p.storage.IsReadOnly());
        p.document.Add(Person{});
        p.document.SetModified(true);
        p.prompt.queueFileName(std::nullopt);
        p.commands.Save();
        QCOMPARE(p.prompt.dialogs.size(), 1);
        QCOMPARE(contents(file), kOriginal);

        p.prompt.queueFileName(file);
        p.prompt.queueAnswer(PromptAnswer::Cancel); // "Error saving": no retry
        p.commands.SaveAs();
        const bool superuser = ::geteuid() == 0;
        QCOMPARE(personsIn(file), superuser ? 2 : 1);
        QCOMPARE(QFile::permissions(file) & 0x7077, QFileDevice::Permissions(QFileDevice::ReadOwner));
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

        Program p;
        CrashRecovery recovery(p.storage, recoveryFolder());
        for (int answer : answers)
            p.prompt.queueAnswer(PromptAnswer(answer));
        p.commands.OfferRecoveredCopies(recovery);

        QCOMPARE(p.prompt.messages.size(), answers.size());
        QVERIFY(p.prompt.messages[0].text.startsWith(
            "Tavoro! did not close normally. Unsaved changes to /home/ann/home.pgr from "));
        QCOMPARE(int(p.document.Persons().Count()), persons);
        QCOMPARE(p.document.IsModified(), persons > 0);
        QVERIFY(p.storage.HasNoFileName());
        QCOMPARE(int(recovery.Leftovers().size()), leftoversAfter);
        // What was opened is safe in this program's own recovery file before the leftover goes.
        QCOMPARE(personsIn(recovery.FilePath()), persons > 0 ? persons : -1);
    }
};

TAVORO_TEST_MAIN(TestDocumentSafety)
#include "TestDocumentSafety.moc"
