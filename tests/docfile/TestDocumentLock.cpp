#include "docfile/DocumentCommands.h"
#include "docfile/DocumentLock.h"
#include "docfile/PimDocument.h"
#include "docfile/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

using platform::PromptAnswer;

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
void holdElsewhere(const QString& document, const QByteArray& host = "desk-2", const QByteArray& pid = "4242") {
    writeTestFile(lockOf(document), pid + "\ntavoro\n" + host + "\n");
}

struct Program {
    Program() : commands(document, prompt, recent, store, [this](const QString& name) { titles << name; }) {}
    PimDocument document;
    FakePromptService prompt;
    RecentFileList recent;
    platform::SettingsStore store;
    QStringList titles;
    DocumentCommands commands;
};

} // namespace

class TestDocumentLock : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString path(const char* name) const { return m_folder.filePath(QLatin1String(name)); }

private slots:
    void init() { QSettings().clear(); }

    // Who holds a document: nobody, another computer's program, or a program here that has ended
    // (a stale lock, which is cleared and taken).
    void holder_data() {
        QTest::addColumn<QByteArray>("host"); // empty: no lock file
        QTest::addColumn<QByteArray>("pid");
        QTest::addColumn<bool>("held");
        QTest::newRow("no lock") << QByteArray() << QByteArray() << false;
        QTest::newRow("another computer") << QByteArray("desk-2") << QByteArray("4242") << true;
        QTest::newRow("ended here") << QSysInfo::machineHostName().toUtf8() << QByteArray("1073741823") << false;
    }
    void holder() {
        QFETCH(QByteArray, host);
        QFETCH(QByteArray, pid);
        QFETCH(bool, held);
        const QString file = writeTestFile(path("home.pgr"), kOriginal);
        if (!host.isEmpty())
            holdElsewhere(file, host, pid);
        const std::optional<DocumentLock::Holder> holder = DocumentLock::HolderOf(file);
        QCOMPARE(holder.has_value(), held);
        if (held)
            QCOMPARE(DocumentLock::Describe(*holder),
                     QStringLiteral("tavoro (process 4242 on desk-2, user %1)").arg(QFileInfo(lockOf(file)).owner()));
        PimDocument document;
        document.SetFileName(file);
        QCOMPARE(document.IsReadOnly(), held);
        QCOMPARE(DocumentLock::HolderOf(file).has_value(), held); // our own lock is no one else's
        QVERIFY(QFile::exists(lockOf(file)));
        document.New();
        QCOMPARE(QFile::exists(lockOf(file)), held);
        QFile::remove(lockOf(file));
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
        QCOMPARE(p.document.FileName(), readOnly ? file : QString());
        QCOMPARE(p.document.IsReadOnly(), readOnly);
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
        QCOMPARE(p.document.FileName(), copy);
        QVERIFY(!p.document.IsReadOnly());
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
        QVERIFY(p.document.IsReadOnly());
        p.prompt.queueFileName(std::nullopt);
        p.commands.Compact();
        QCOMPARE(p.prompt.dialogs.size(), 1);
        QCOMPARE(contents(file), kOriginal);
        QVERIFY(p.document.IsModified());
    }
};

TAVORO_TEST_MAIN(TestDocumentLock)
#include "TestDocumentLock.moc"
