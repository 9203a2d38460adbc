#include "support/CliProcess.h"
#include "support/RadicaleServer.h"
#include "support/TestMain.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

// tavoro-cli sync, run as a user runs it, against a Radicale that asks for a password.
class TestCliSync : public QObject {
    Q_OBJECT

    RadicaleServer m_server{QStringLiteral("anna"), QStringLiteral("s3cret")};
    QTemporaryDir m_dir;

    QString file(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void initTestCase() {
        QVERIFY2(m_server.Start(), qPrintable(m_server.Problem()));
        write(file("right"), "s3cret\n");
        write(file("wrong"), "guess\n");
        QVERIFY(QFile::copy(QStringLiteral(TAVORO_TEST_DATA "/docfile/version13.pgr"), file("diary.pgr")));
    }

    // The first sync sends the document's four records; a second finds nothing to do and leaves the
    // file alone. A new document is made from what the server holds.
    void syncsBothWays() {
        const QString url = m_server.Url().toString();
        const CliRun first =
            runCli({"sync", file("diary.pgr"), url, "--user", "anna", "--password-file", file("right")});
        QCOMPARE(first.exitCode, 0);
        QVERIFY2(first.out.startsWith("Uploaded: 4\nDownloaded: 0\n"), first.out + first.err);
        const QByteArray saved = contents(file("diary.pgr"));
        const CliRun second =
            runCli({"sync", file("diary.pgr"), url, "--user", "anna", "--password-file", file("right")});
        QVERIFY2(second.out.startsWith("Uploaded: 0\nDownloaded: 0\n"), second.out + second.err);
        QCOMPARE(contents(file("diary.pgr")), saved);

        const CliRun fresh =
            runCli({"sync", file("fresh.pgr"), url, "--user", "anna", "--password-file", file("right")});
        QVERIFY2(fresh.out.startsWith("Uploaded: 0\nDownloaded: 4\n"), fresh.out + fresh.err);
        QVERIFY(runCli({"check", file("fresh.pgr")}).out.contains("Persons: 2"));
    }

    // Each refusal names its reason, exits non-zero and leaves the document as it was.
    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("wrong password") << QStringList{"--user", "anna", "--password-file", file("wrong")} << 1
                                        << QByteArray("refused the user name or password");
        QTest::newRow("no user") << QStringList{} << 2 << QByteArray("usage: tavoro-cli sync DOC URL");
        QTest::newRow("unreadable password file") << QStringList{"--user", "anna", "--password-file", file("missing")}
                                                  << 1 << QByteArray("cannot read the password file");
        QTest::newRow("password in the clear")
            << QStringList{"--user", "anna", "--password-file", file("right"), "--url", "http://dav.example.org/"} << 1
            << QByteArray("is not encrypted");
        QTest::newRow("document in use") << QStringList{"--user", "anna", "--password-file", file("right"), "--lock"}
                                         << 1 << QByteArray("is in use by tavoro");
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QString url = m_server.Url().toString();
        if (const qsizetype at = args.indexOf(QStringLiteral("--url")); at >= 0) {
            url = args.at(at + 1);
            args.remove(at, 2);
        }
        const QString document = file("refused.pgr");
        QFile::remove(document);
        QVERIFY(QFile::copy(QStringLiteral(TAVORO_TEST_DATA "/docfile/version13.pgr"), document));
        if (args.removeOne(QStringLiteral("--lock")))
            write(file(".refused.pgr.lock"), "4242\ntavoro\ndesk-2\n");
        const QByteArray before = contents(document);
        const CliRun run = runCli(QStringList{"sync", document, url} + args);
        QFile::remove(file(".refused.pgr.lock"));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), run.err);
        QCOMPARE(contents(document), before);
    }
};

TAVORO_TEST_MAIN(TestCliSync)
#include "TestCliSync.moc"
