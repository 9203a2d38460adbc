#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kAllFields = QStringLiteral(TAVORO_TEST_DATA "/docfile/all-fields-v1.pgr");
const QString kVersion13 = QStringLiteral(TAVORO_TEST_DATA "/docfile/version13.pgr");

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run cli(const QStringList& args) {
    // A runtime folder of its own, so that Qt has nothing to say on stderr.
    static QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAVORO_CLI), args);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCliDocfile : public QObject {
    Q_OBJECT

private slots:
    void checkPrintsCounts() {
        const Run run = cli({QStringLiteral("check"), kVersion13});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Tasks: 1 (LastID 7)\nPersons: 2 (LastID 2)\nAppointments: 1 (LastID 1)\n"));
        QCOMPARE(run.err, QByteArray());
    }

    void resaveWritesTheCurrentLayout() {
        const QString out = m_folder.filePath(QStringLiteral("out.pgr"));
        const Run run = cli({QStringLiteral("resave"), kAllFields, out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(contents(out), contents(kAllFields));
    }

    void failuresUseTheProgramsWords_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("error");
        QVERIFY(m_folder.isValid());
        const QString bad = m_folder.filePath(QStringLiteral("bad.pgr"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<Pim Version=\"1\">\r\n<Tasks>\r\n</Pim>\r\n");
        QTest::newRow("missing file") << QStringList{"check", "/nonexistent/a.pgr"}
                                      << QByteArray("tavoro-cli: Error loading file.\n");
        QTest::newRow("parse error") << QStringList{"check", bad}
                                     << QByteArray("tavoro-cli: Error Loading File: Parsing error at line 3\n"
                                                   "tavoro-cli: Error loading file.\n");
        QTest::newRow("cannot write") << QStringList{"resave", kAllFields, "/nonexistent/b.pgr"}
                                      << QByteArray("tavoro-cli: Unable to write file!\n");
        QTest::newRow("wrong arguments") << QStringList{"resave", kAllFields}
                                         << QByteArray("usage: tavoro-cli resave IN OUT\n");
    }
    void failuresUseTheProgramsWords() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, error);
        const Run run = cli(args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, error);
    }

private:
    QTemporaryDir m_folder;
};

TAVORO_TEST_MAIN(TestCliDocfile)
#include "TestCliDocfile.moc"
