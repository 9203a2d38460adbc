#include "support/CliProcess.h"
#include "support/TestMain.h"

#include "platform/AtomicFile.h"

#include <QFileInfo>

// tavoro-cli import and export of vcard and ical, run as a user runs them.
namespace {
const QString kData = QStringLiteral(TAVORO_TEST_DATA "/exchange/");
}

class TestCliExchange : public QObject {
    Q_OBJECT

private slots:
    void contactsInAndOut() {
        QTemporaryDir dir;
        const QString doc = dir.filePath(QStringLiteral("book.pgr"));
        const QString cards = kData + QStringLiteral("vcard/v30-desktop.vcf");
        CliRun run = runCli({"import", "vcard", doc, cards});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("2 persons added\n"));
        run = runCli({"import", "vcard", doc, cards});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("0 persons added\n2 already present\n"));

        const QString out = dir.filePath(QStringLiteral("out.vcf"));
        run = runCli({"export", "vcard", doc, out, "--version", "4.0"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("2 persons written to ") + out.toUtf8() + "\n");
        QVERIFY(platform::ReadWholeFile(out)->find("VERSION:4.0\r\n") != std::string::npos);
        run = runCli({"export", "vcard", doc, out, "--yellow"});
        QCOMPARE(run.out, QByteArray("0 persons written to ") + out.toUtf8() + "\n");
    }

    void calendarInAndOut() {
        QTemporaryDir dir;
        const QString doc = dir.filePath(QStringLiteral("book.pgr"));
        CliRun run = runCli({"import", "ical", doc, kData + QStringLiteral("ical/recurring.ics"), "--from",
                             "2026-03-01", "--to", "2026-03-31"});
        QCOMPARE(run.exitCode, 0);
        // The weekly review with its moved occurrence and its added date, and the stand-up; not the
        // birthday in May nor the series of 2020.
        QCOMPARE(run.out, QByteArray("4 appointments added\n0 tasks added\n\"Weekly review\": 1 date added to the "
                                     "series (RDATE) at another time kept as appointments of their own\n"));
        const QString out = dir.filePath(QStringLiteral("out.ics"));
        run = runCli({"export", "ical", doc, out, "--from", "2026-03-16", "--to", "2026-03-19"});
        QCOMPARE(run.exitCode, 0);
        // The series with its moved occurrence, and the added date.
        QCOMPARE(run.out, QByteArray("3 appointments and tasks written to ") + out.toUtf8() + "\n");
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<int>("status");
        QTest::newRow("missing file") << QStringList{"import", "vcard", "DOC", "/nonexistent/x.vcf"}
                                      << QByteArray("Cannot read /nonexistent/x.vcf") << 1;
        QTest::newRow("not a calendar") << QStringList{"import", "ical", "DOC", kData + "vcard/v40-lf-bom.vcf"}
                                        << QByteArray("holds no iCalendar data") << 1;
        QTest::newRow("not a card file") << QStringList{"import", "vcard", "DOC", kData + "ical/recurring.ics"}
                                         << QByteArray("holds no vCard data") << 1;
        QTest::newRow("bad day") << QStringList{"import", "ical", "DOC", "x.ics", "--from", "2026-02-30"}
                                 << QByteArray("--from wants YYYY-MM-DD") << 2;
        QTest::newRow("bad version") << QStringList{"export", "vcard", "DOC", "x.vcf", "--version", "2.1"}
                                     << QByteArray("--version wants 3.0 or 4.0") << 2;
        QTest::newRow("no document") << QStringList{"export", "ical", "/nonexistent/doc.pgr", "x.ics"}
                                     << QByteArray("cannot read the document") << 1;
        QTest::newRow("unwritable") << QStringList{"export", "ical", "DOC", "/nonexistent/x.ics"}
                                    << QByteArray("Cannot write /nonexistent/x.ics") << 1;
    }
    // A file that holds no cards is refused, and no empty document is left behind for it.
    void noCardsMakeNoDocument() {
        QTemporaryDir dir;
        const QString doc = dir.filePath(QStringLiteral("new.pgr"));
        const CliRun run = runCli({"import", "vcard", doc, kData + QStringLiteral("ical/recurring.ics")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!QFileInfo::exists(doc));
    }

    void failures() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, message);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString doc = dir.filePath(QStringLiteral("book.pgr"));
        QCOMPARE(runCli({"import", "vcard", doc, kData + QStringLiteral("vcard/v21-phone.vcf")}).exitCode, 0);
        const std::string before = platform::ReadWholeFile(doc).value_or("");
        args.replaceInStrings(QStringLiteral("DOC"), doc);
        const CliRun run = runCli(args);
        QCOMPARE(run.exitCode, status);
        QVERIFY2(run.err.contains(message), run.err.constData());
        QCOMPARE(platform::ReadWholeFile(doc).value_or(""), before);
    }
};

TAVORO_TEST_MAIN(TestCliExchange)
#include "TestCliExchange.moc"
