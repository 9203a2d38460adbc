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
};

TAVORO_TEST_MAIN(TestCrashRecovery)
#include "TestCrashRecovery.moc"
