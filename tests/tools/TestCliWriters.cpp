#include "support/CliProcess.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// tavoro-cli's commands that write a document, run as users and scripts run them: many at once,
// over write-protected files, and restoring backups.
namespace {

constexpr int kWriters = 20;
constexpr int kEach = 100;

QByteArray personsCsv(int file) {
    QByteArray text = "FirstName,LastName\n";
    for (int i = 0; i < kEach; ++i)
        text += "P" + QByteArray::number(file) + ",N" + QByteArray::number(i) + "\n";
    return text;
}

QByteArray vcards(int file) {
    QByteArray text;
    for (int i = 0; i < kEach; ++i) {
        const QByteArray name = "P" + QByteArray::number(file) + " N" + QByteArray::number(i);
        text += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:N" + QByteArray::number(i) + ";P" + QByteArray::number(file) +
                "\r\nFN:" + name + "\r\nEND:VCARD\r\n";
    }
    return text;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int personsIn(const QString& document) {
    const CliRun run = runCli({"check", document});
    static const QRegularExpression persons(QStringLiteral("Persons: (\\d+)"));
    const QRegularExpressionMatch match = persons.match(QString::fromUtf8(run.out));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class TestCliWriters : public QObject {
    Q_OBJECT

private slots:
    // Twenty imports into one document at once: each waits for the one before it, and the file
    // ends up holding every record any of them reported; one that gave up says so and fails.
    void concurrentImportsKeepEveryReportedRecord_data() {
        QTest::addColumn<QString>("format");
        QTest::newRow("text") << QStringLiteral("persons");
        QTest::newRow("vcard") << QStringLiteral("vcard");
    }
    void concurrentImportsKeepEveryReportedRecord() {
        QFETCH(QString, format);
        QTemporaryDir dir;
        const QString document = dir.filePath(QStringLiteral("c.pgr"));
        QTemporaryDir runtime;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int n = 0; n < kWriters; ++n) {
            const bool text = format == QLatin1String("persons");
            const QString input =
                writeTestFile(dir.filePath(QStringLiteral("in%1.%2").arg(n).arg(text ? "csv" : "vcf")),
                              text ? personsCsv(n) : vcards(n));
            auto process = std::make_unique<QProcess>();
            process->setProcessEnvironment(environment);
            process->start(QStringLiteral(TAVORO_CLI), {"import", format, document, input});
            writers.push_back(std::move(process));
        }
        static const QRegularExpression added(QStringLiteral("^(\\d+) persons added"),
                                              QRegularExpression::MultilineOption);
        int reported = 0;
        int failed = 0;
        for (const std::unique_ptr<QProcess>& process : writers) {
            QVERIFY(process->waitForFinished(120000));
            const QString out = QString::fromUtf8(process->readAllStandardOutput());
            const QByteArray err = process->readAllStandardError();
            if (process->exitCode() == 0) {
                const QRegularExpressionMatch match = added.match(out);
                QVERIFY2(match.hasMatch(), qPrintable(out));
                reported += match.captured(1).toInt();
            } else {
                ++failed;
                QVERIFY2(err.contains("nothing was changed"), err);
            }
        }
        QCOMPARE(personsIn(document), reported);
        QCOMPARE(reported, (kWriters - failed) * kEach);
    }

    // restore writes a backup back (the newest unless one is named), keeping the file it replaces
    // first; it never writes over a document another program holds or a write-protected one.
    void restoreWritesABackupBack() {
        QTemporaryDir data;
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QTemporaryDir dir;
        const QString doc = dir.filePath(QStringLiteral("doc.pgr"));
        const QString input = writeTestFile(dir.filePath(QStringLiteral("in.csv")), personsCsv(0));
        QCOMPARE(runCli({"restore", doc}).exitCode, 1); // nothing to restore yet
        QCOMPARE(runCli({"import", "persons", doc, input}).exitCode, 0);
        QCOMPARE(runCli({"import", "persons", doc, input}).exitCode, 0); // keeps the 100
        QCOMPARE(personsIn(doc), 2 * kEach);

        CliRun run = runCli({"restore", doc});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains("restored from") && run.out.contains("100 persons"), run.out);
        QCOMPARE(personsIn(doc), kEach);
        run = runCli({"backups", doc}); // the 200 went in as the newest backup
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].contains("200 persons"), lines[0]);
        const QByteArray older = lines[1].mid(lines[1].lastIndexOf("  ") + 2);

        const QString other = dir.filePath(QStringLiteral("other.pgr"));
        QCOMPARE(runCli({"restore", doc, QString::fromUtf8(older), "--to", other}).exitCode, 0);
        QCOMPARE(personsIn(other), kEach);
        QCOMPARE(personsIn(doc), kEach);

        const QByteArray before = readBytes(doc);
        writeTestFile(dir.filePath(QStringLiteral(".doc.pgr.lock")), "4242\ntavoro\ndesk-2\n");
        run = runCli({"restore", doc});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("is in use by tavoro (process 4242 on desk-2"), run.err);
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral(".doc.pgr.lock"))));
        QVERIFY(QFile::setPermissions(doc, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        run = runCli({"restore", doc});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("is write-protected; nothing was changed"), run.err);
        QCOMPARE(runCli({"import", "persons", doc, input}).exitCode, 1);
        QCOMPARE(readBytes(doc), before);
        QCOMPARE(QFile::permissions(doc) & 0x7077, QFileDevice::ReadOwner | QFileDevice::ReadGroup);

        QCOMPARE(runCli({"restore", doc, QString::fromUtf8(older), "extra"}).exitCode, 2);
        QCOMPARE(runCli({"restore", doc, input}).exitCode, 1); // not a document
        qputenv("XDG_DATA_HOME", dataHome);
    }
};

TAVORO_TEST_MAIN(TestCliWriters)
#include "TestCliWriters.moc"
