#include "docfile/BackupStore.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// A document holding this many persons, saved to path.
void saveWithPersons(const QString& path, int persons) {
    PimDocument document;
    for (int i = 0; i < persons; ++i)
        document.Add(Person{});
    if (!DocumentStorage(document).Save(path))
        qFatal("cannot save %s", qPrintable(path));
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT

    QTemporaryDir m_data; // the user's data folder
    QTemporaryDir m_folder;
    QString path(const char* name) const { return m_folder.filePath(QLatin1String(name)); }

private slots:
    void init() {
        QSettings().clear();
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
        QDir(m_data.path()).removeRecursively();
        QDir().mkpath(m_data.path());
    }

    // Each save keeps what it replaces, the newest first, as many as Files/BackupCount says.
    void savesKeepWhatTheyReplace_data() {
        QTest::addColumn<QVariant>("count");  // invalid: the setting is missing
        QTest::addColumn<QList<int>>("kept"); // persons of each backup, newest first
        QTest::newRow("default 10") << QVariant() << QList<int>{4, 3, 2, 1};
        QTest::newRow("2") << QVariant(2) << QList<int>{4, 3};
        QTest::newRow("0 turns them off") << QVariant(0) << QList<int>{};
        QTest::newRow("below 0 reads as 10") << QVariant(-4) << QList<int>{4, 3, 2, 1};
    }
    void savesKeepWhatTheyReplace() {
        QFETCH(QVariant, count);
        QFETCH(QList<int>, kept);
        if (count.isValid())
            QSettings().setValue(QStringLiteral("Files/BackupCount"), count);
        const QString file = m_folder.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pgr");
        for (int persons : {1, 2, 3, 4, 4, 4}) // the same bytes are kept once
            saveWithPersons(file, persons);
        const std::vector<BackupStore::Backup> backups = BackupStore::Standard().List(file);
        QList<int> persons;
        for (const BackupStore::Backup& backup : backups) {
            QCOMPARE(backup.size, QFileInfo(backup.path).size());
            QVERIFY(backup.path.startsWith(m_data.path()));
            QCOMPARE(QFileInfo(backup.path).permissions() & 0x0077, QFileDevice::Permissions());
            persons << int(BackupStore::CountRecords(backup.path)->persons);
        }
        QCOMPARE(persons, kept);
        if (backups.size() > 1)
            QVERIFY(backups.front().savedAt >= backups.back().savedAt);
        QCOMPARE(QSettings().value(QStringLiteral("Files/BackupCount"), -1).toInt(),
                 count.isValid() ? count.toInt() : 10);
        // Another document with the same name elsewhere has backups of its own.
        QDir().mkpath(path("other"));
        QVERIFY(BackupStore::Standard().List(m_folder.filePath("other/" + QFileInfo(file).fileName())).empty());
    }

    // A document saved through a linked folder keeps its backups when the file is gone, and when
    // the link is gone too: they are found by the name as given and by the file it was. Names are
    // names, not patterns.
    void foundByTheNameAsGiven_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("doc.pgr");
        QTest::newRow("brackets") << QStringLiteral("doc[1].pgr");
        QTest::newRow("open bracket") << QStringLiteral("doc[.pgr");
        QTest::newRow("star and question mark") << QStringLiteral("d*c?.pgr");
    }
    void foundByTheNameAsGiven() {
        QFETCH(QString, name);
        QDir(m_folder.path()).removeRecursively();
        QDir().mkpath(m_folder.path());
        const QString real = path("real");
        const QString link = path("link");
        QVERIFY(QDir().mkpath(real));
        QVERIFY(QFile::link(real, link));
        const QString viaLink = link + '/' + name;
        // Another document whose name the pattern would match: its backups are not these.
        saveWithPersons(real + QStringLiteral("/doc1.pgr"), 7);
        saveWithPersons(real + QStringLiteral("/doc1.pgr"), 8);
        saveWithPersons(viaLink, 1);
        saveWithPersons(viaLink, 2);
        const auto persons = [](const QString& document) {
            QList<int> found;
            for (const BackupStore::Backup& backup : BackupStore::Standard().List(document))
                found << int(BackupStore::CountRecords(backup.path)->persons);
            return found;
        };
        QCOMPARE(persons(real + '/' + name), QList<int>{1});
        QVERIFY(QFile::remove(viaLink));
        QCOMPARE(persons(viaLink), QList<int>{1});
        QVERIFY(QFile::remove(link));
        QCOMPARE(persons(viaLink), QList<int>{1});
        QCOMPARE(persons(real + '/' + name), QList<int>{1});
        // Saved again under the plain name, all of them show, newest first.
        saveWithPersons(real + '/' + name, 3);
        saveWithPersons(real + '/' + name, 4);
        QCOMPARE(persons(viaLink), (QList<int>{3, 1}));
    }
};

TAVORO_TEST_MAIN(TestBackups)
#include "TestBackups.moc"
