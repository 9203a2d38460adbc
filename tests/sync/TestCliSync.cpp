#include "support/CliProcess.h"
#include "support/DavProxy.h"
#include "support/FakePromptService.h"
#include "support/RadicaleServer.h"
#include "support/TestMain.h"

#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
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

// tavoro-cli while this process goes on answering (a proxy in the test serves it meanwhile).
CliRun runCliServed(const QStringList& args) {
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(QStringLiteral(TAVORO_CLI), args);
    loop.exec();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

void saveWithPersons(const QString& path, int count) {
    PimDocument document;
    for (int i = 0; i < count; ++i) {
        Person p;
        p.FName = QFileInfo(path).baseName().toStdString();
        p.LName = std::to_string(i);
        p.WhitePages = 1;
        document.Add(p);
    }
    QVERIFY(DocumentStorage(document).WriteToFile(path));
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

    // A document gone from its place is not a list of deletions: the next sync brings everything
    // down again and deletes nothing on the server.
    void missingDocumentDeletesNothing() {
        const QString url = m_server.Url().toString();
        const QStringList args{"--user", "anna", "--password-file", file("right")};
        QVERIFY(QFile::copy(QStringLiteral(TAVORO_TEST_DATA "/docfile/version13.pgr"), file("moved.pgr")));
        QCOMPARE(runCli(QStringList{"sync", file("moved.pgr"), url} + args).exitCode, 0);
        QVERIFY(QFile::remove(file("moved.pgr")));
        const CliRun again = runCli(QStringList{"sync", file("moved.pgr"), url} + args);
        QCOMPARE(again.exitCode, 0);
        QVERIFY2(again.out.contains("Deleted on the server: 0\n"), again.out + again.err);
        QVERIFY(runCli({"check", file("moved.pgr")}).out.contains("Persons: 2"));
    }

    // More than a few deletions wait for --allow-deletions; the sync says so and exits 1.
    void manyDeletionsNeedAllowing() {
        const QString url = m_server.Url().toString();
        const QStringList args{"--user", "anna", "--password-file", file("right")};
        saveWithPersons(file("many.pgr"), 12);
        QCOMPARE(runCli(QStringList{"sync", file("many.pgr"), url} + args).exitCode, 0);
        PimDocument document;
        FakePromptService prompt;
        QVERIFY(DocumentStorage(document).ReadFromFile(file("many.pgr"), prompt));
        for (int id = 1; id <= 12; ++id)
            document.RemovePerson(id);
        QVERIFY(DocumentStorage(document).WriteToFile(file("many.pgr")));
        const QByteArray before = contents(file("many.pgr"));
        const CliRun refused = runCli(QStringList{"sync", file("many.pgr"), url} + args);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("--allow-deletions"), refused.err);
        QVERIFY2(refused.out.contains("Deletions held back, too many to make unasked: 12"), refused.out);
        QVERIFY(refused.out.contains("Deleted on the server: 0\n"));
        QCOMPARE(contents(file("many.pgr")), before);
        const CliRun allowed = runCli(QStringList{"sync", file("many.pgr"), url, "--allow-deletions"} + args);
        QCOMPARE(allowed.exitCode, 0);
        QVERIFY2(allowed.out.contains("Deleted on the server: 12\n"), allowed.out + allowed.err);
    }

    // --address-book and --calendar choose among the account's collections by name.
    void collectionsAreChosenByName() {
        const QString url = m_server.Url().toString();
        QNetworkAccessManager network;
        QNetworkRequest request(m_server.Url().resolved(QUrl(QStringLiteral("/anna/work/"))));
        request.setRawHeader("Authorization", "Basic " + QByteArray("anna:s3cret").toBase64());
        QNetworkReply* made = network.sendCustomRequest(
            request, "MKCALENDAR",
            "<?xml version=\"1.0\"?><c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
            "<d:set><d:prop><d:displayname>Work</d:displayname></d:prop></d:set></c:mkcalendar>");
        QTRY_VERIFY(made->isFinished());
        QCOMPARE(made->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() / 100, 2);
        delete made;
        QVERIFY(QFile::copy(QStringLiteral(TAVORO_TEST_DATA "/docfile/version13.pgr"), file("work.pgr")));
        const QStringList args{"--user", "anna", "--password-file", file("right")};
        const CliRun other = runCli(QStringList{"sync", file("work.pgr"), url} + args);
        QVERIFY2(other.out.contains("calendar \"Work\""), other.out + other.err);
        const CliRun chosen = runCli(QStringList{"sync", file("work.pgr"), url, "--calendar", "Work"} + args);
        QCOMPARE(chosen.exitCode, 0);
        QVERIFY(!chosen.out.contains("calendar \"Work\""));
        const CliRun unknown = runCli(QStringList{"sync", file("work.pgr"), url, "--calendar", "Play"} + args);
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY2(unknown.err.contains("no calendar named 'Play'"), unknown.err);
    }

    // An item the server refused makes the sync exit 1, although the rest went through.
    void refusedItemFailsTheRun() {
        DavProxy proxy(m_server.Url());
        QVERIFY(proxy.Start());
        proxy.Answer("PUT", 403, 1);
        saveWithPersons(file("refusing.pgr"), 3);
        const CliRun run = runCliServed(
            {"sync", file("refusing.pgr"), proxy.Url().toString(), "--user", "anna", "--password-file", file("right")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains("Uploaded: 2\n"), run.out + run.err);
        QVERIFY(run.out.contains("Errors, retried by the next synchronization: 1"));
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
