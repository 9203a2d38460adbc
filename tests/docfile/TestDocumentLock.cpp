#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

namespace {

const QByteArray kOriginal = "<Pim Version=\"1\"><Persons><Person ID=\"1\" FName=\"Ann\"/></Persons></Pim>";

QString lockOf(const QString& document) {
    const QFileInfo info(document);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".lock"));
}

// The lock another program took: pid, program and host, one a line.
void holdElsewhere(const QString& document, const QByteArray& host = "desk-2", const QByteArray& pid = "4242") {
    writeTestFile(lockOf(document), pid + "\ntavoro\n" + host + "\n");
}

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
        DocumentStorage storage(document);
        storage.SetFileName(file);
        QCOMPARE(storage.IsReadOnly(), held);
        QCOMPARE(DocumentLock::HolderOf(file).has_value(), held); // our own lock is no one else's
        QVERIFY(QFile::exists(lockOf(file)));
        storage.New();
        QCOMPARE(QFile::exists(lockOf(file)), held);
        QFile::remove(lockOf(file));
    }
};

TAVORO_TEST_MAIN(TestDocumentLock)
#include "TestDocumentLock.moc"
