#include "docfile/CrashRecovery.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace std::chrono_literals;

namespace {

int personsIn(const QString& path) {
    PimDocument document;
    FakePromptService quiet;
    return DocumentStorage(document).ReadFromFile(path, quiet) ? int(document.Persons().Count()) : -1;
}

} // namespace

class TestCrashRecovery : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString folder() const { return m_folder.filePath(QStringLiteral("recovery")); }

private slots:
    void init() {
        QSettings().clear();
        QDir(folder()).removeRecursively();
    }

    // The file exists exactly while there are unsaved changes, written by the timer.
    void keepsUnsavedChangesOnly() {
        PimDocument document;
        const DocumentStorage storage(document);
        auto recovery = std::make_unique<CrashRecovery>(storage, folder(), 10ms);
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
        CrashRecovery other(storage, folder());
        QVERIFY(other.Leftovers().empty()); // nor is a running program's
        recovery.reset();                   // a normal close
        QVERIFY(QDir(folder()).isEmpty());
    }

    // Files/RecoveryMinutes sets the interval: minutes, fractions of one, or seconds ending in "s";
    // missing it is written as 2, and what cannot be read counts as 2 minutes.
    void intervalFromTheSettings_data() {
        QTest::addColumn<QVariant>("setting"); // invalid: missing
        QTest::addColumn<qint64>("milliseconds");
        QTest::newRow("missing") << QVariant() << qint64(120000);
        QTest::newRow("5") << QVariant(5) << qint64(300000);
        QTest::newRow("0.5") << QVariant(QStringLiteral("0.5")) << qint64(30000);
        QTest::newRow("1s") << QVariant(QStringLiteral("1s")) << qint64(1000);
        QTest::newRow("2.5s") << QVariant(QStringLiteral(" 2.5s ")) << qint64(2500);
        QTest::newRow("below a second") << QVariant(QStringLiteral("0.001")) << qint64(1000);
        QTest::newRow("0") << QVariant(0) << qint64(120000);
        QTest::newRow("negative") << QVariant(-3) << qint64(120000);
        QTest::newRow("words") << QVariant(QStringLiteral("often")) << qint64(120000);
    }
    void intervalFromTheSettings() {
        QFETCH(QVariant, setting);
        QFETCH(qint64, milliseconds);
        if (setting.isValid())
            QSettings().setValue(QStringLiteral("Files/RecoveryMinutes"), setting);
        QCOMPARE(qint64(CrashRecovery::StandardInterval().count()), milliseconds);
        if (!setting.isValid())
            QCOMPARE(QSettings().value(QStringLiteral("Files/RecoveryMinutes")).toString(), QStringLiteral("2"));
    }
};

TAVORO_TEST_MAIN(TestCrashRecovery)
#include "TestCrashRecovery.moc"
