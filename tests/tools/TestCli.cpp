#include "support/CliProcess.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

// tavoro-cli check, resave and print, run as a user runs them.
namespace {

const QString kAllFields = QStringLiteral(TAVORO_TEST_DATA "/docfile/all-fields-v1.pgr");
const QString kVersion13 = QStringLiteral(TAVORO_TEST_DATA "/docfile/version13.pgr");
const QString kEmpty = QStringLiteral(TAVORO_TEST_DATA "/docfile/empty-v1.pgr");
// 130 appointments and 5 tasks on 2035-03-10.
const QString kBusyDay = QStringLiteral(TAVORO_TEST_DATA "/reports/busy-day.pgr");
// Persons 1 Ann (white), 2 Bob (white and yellow), 3 Cy (yellow), 4 Dee (white), 5 Eve (neither);
// tasks and appointments in the first week of March 2003.
const QString kPlans = QStringLiteral(TAVORO_TEST_DATA "/reports/plans-and-people.pgr");
// Two birthdays and an all-day appointment on 2026-03-15, an anniversary on the 16th.
const QString kBirthdays = QStringLiteral(TAVORO_TEST_DATA "/tools/birthdays-v1.pgr");

using Run = CliRun;

Run cli(const QStringList& args, const QByteArray& input = QByteArray()) {
    return runCli(args, input);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int pdfPageCount(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(contents(path))); it.hasNext(); it.next())
        ++count;
    return count;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkPrintsCounts();
    void resaveWritesTheCurrentLayout();
    void resaveKeepsBackupsAndRespectsLocks();
    void documentFailuresUseTheProgramsWords_data();
    void documentFailuresUseTheProgramsWords();
    void refusedImportLeavesTheDocument_data();
    void refusedImportLeavesTheDocument();
    void printsEachReport_data();
    void printsEachReport();
    void largerTypeTakesMorePages();
    void paperOptionsSetThePage_data();
    void paperOptionsSetThePage();
    void nothingToPrintWritesNoFile_data();
    void nothingToPrintWritesNoFile();
    void printRefusesWrongArguments_data();
    void printRefusesWrongArguments();
    void helpAndUsage_data();
    void helpAndUsage();
    void dashIsStandardInputAndOutput();

private:
    QTemporaryDir m_dir;
};

// Each resave keeps the file it replaces, which `backups` lists; a document another program has
// open is left alone.
void TestCli::resaveKeepsBackupsAndRespectsLocks() {
    QTemporaryDir data;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const QString out = m_dir.filePath(QStringLiteral("kept.pgr"));
    QCOMPARE(cli({"backups", out}).out, "no backups of " + out.toUtf8() + "\n");
    QCOMPARE(cli({"resave", kEmpty, out}).exitCode, 0);
    QCOMPARE(cli({"resave", kAllFields, out}).exitCode, 0);
    const Run listed = cli({"backups", out});
    QCOMPARE(listed.exitCode, 0);
    const QList<QByteArray> lines = listed.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains("0 persons, 0 tasks, 0 appointments  " + data.path().toUtf8()), lines[0]);

    writeTestFile(m_dir.filePath(QStringLiteral(".kept.pgr.lock")), "4242\ntavoro\ndesk-2\n");
    const QByteArray before = contents(out);
    const Run refused = cli({"resave", kEmpty, out});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("is in use by tavoro (process 4242 on desk-2"), refused.err);
    QCOMPARE(contents(out), before);
    qputenv("XDG_DATA_HOME", dataHome);
}

void TestCli::checkPrintsCounts() {
    const Run run = cli({"check", kVersion13});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("Tasks: 1 (LastID 7)\nPersons: 2 (LastID 2)\nAppointments: 1 (LastID 1)\n"));
    QCOMPARE(run.err, QByteArray());
}

void TestCli::resaveWritesTheCurrentLayout() {
    const QString out = m_dir.filePath(QStringLiteral("out.pgr"));
    QCOMPARE(cli({"resave", kAllFields, out}).exitCode, 0);
    QCOMPARE(contents(out), contents(kAllFields));
}

void TestCli::documentFailuresUseTheProgramsWords_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("error");
    QVERIFY(m_dir.isValid());
    const QString bad =
        writeTestFile(m_dir.filePath(QStringLiteral("bad.pgr")), "<Pim Version=\"1\">\r\n<Tasks>\r\n</Pim>\r\n");
    const QString other = writeTestFile(m_dir.filePath(QStringLiteral("other.xml")), "<html><body/></html>");
    const QString pipe = m_dir.filePath(QStringLiteral("pipe"));
    QVERIFY(QFile::exists(pipe) || mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    QTest::newRow("missing file") << QStringList{"check", "/nonexistent/a.pgr"}
                                  << QByteArray("tavoro-cli: '/nonexistent/a.pgr' does not exist\n"
                                                "tavoro-cli: Error loading file.\n");
    QTest::newRow("not a document") << QStringList{"check", other}
                                    << QByteArray(
                                           "tavoro-cli: Error Loading File: The file is not a Tavoro! document.\n"
                                           "tavoro-cli: Error loading file.\n");
    QTest::newRow("pipe") << QStringList{"check", pipe}
                          << "tavoro-cli: '" + pipe.toUtf8() +
                                 "' is not a regular file\ntavoro-cli: Error loading file.\n";
    QTest::newRow("resave onto a pipe") << QStringList{"resave", kAllFields, pipe}
                                        << "tavoro-cli: '" + pipe.toUtf8() +
                                               "' is not a regular file\ntavoro-cli: Unable to write file!\n";
    QTest::newRow("parse error") << QStringList{"check", bad}
                                 << QByteArray("tavoro-cli: Error Loading File: Parsing error at line 3\n"
                                               "tavoro-cli: Error loading file.\n");
    QTest::newRow("cannot write") << QStringList{"resave", kAllFields, "/nonexistent/b.pgr"}
                                  << QByteArray("tavoro-cli: '/nonexistent/b.pgr' cannot be written\n"
                                                "tavoro-cli: Unable to write file!\n");
}

void TestCli::documentFailuresUseTheProgramsWords() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, error);
    const Run run = cli(args);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, error);
}

// An import into a file that is not a document, or into a collection with no ID left, fails and
// leaves the file as it was.
void TestCli::refusedImportLeavesTheDocument_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QByteArray>("error");
    QTest::newRow("not a document") << QByteArray("<?xml version=\"1.0\"?>\n<settings theme=\"dark\"/>\n")
                                    << QByteArray("not a Tavoro! document");
    QTest::newRow("no ID left") << QByteArray("<Pim Version=\"1\"><Persons><Person ID=\"2147483646\" FName=\"Kept\"/>"
                                              "</Persons></Pim>")
                                << QByteArray("every ID is taken");
}

void TestCli::refusedImportLeavesTheDocument() {
    QFETCH(QByteArray, document);
    QFETCH(QByteArray, error);
    const QString path = writeTestFile(m_dir.filePath(QStringLiteral("refused.xml")), document);
    const QString csv = writeTestFile(m_dir.filePath(QStringLiteral("two.csv")), "FirstName\nAnn\nBob\n");
    const Run run = cli({"import", "persons", path, csv});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(error), run.err.constData());
    QCOMPARE(contents(path), document);
}

void TestCli::printsEachReport_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("pages");
    const QString busyDay = QStringLiteral("2035-03-10");
    // Three pages of appointments on Letter or A4.
    QTest::newRow("daily appointments") << QStringList{"daily-appointments", kBusyDay, "--date", busyDay} << 3;
    QTest::newRow("daily tasks") << QStringList{"daily-tasks", kBusyDay, "--date", busyDay} << 1;
    QTest::newRow("daily plan") << QStringList{"daily-plan", kBusyDay, "--date", busyDay} << 3;
    QTest::newRow("weekly plan") << QStringList{"weekly-plan", kPlans, "--date", "2003-03-05"} << 2;
    QTest::newRow("monthly plan") << QStringList{"monthly-plan", kPlans, "--date", "2003-03-05"} << 1;
    QTest::newRow("weekly plan with birthdays") << QStringList{"weekly-plan", kBirthdays, "--date", "2026-03-15"} << 2;
    QTest::newRow("daily plan with birthdays") << QStringList{"daily-plan", kBirthdays, "--date", "2026-03-15"} << 1;
    QTest::newRow("address book") << QStringList{"address-book", kPlans} << 1;
    QTest::newRow("envelopes, white pages by default") << QStringList{"envelopes", kPlans} << 3;
    QTest::newRow("envelopes, yellow pages") << QStringList{"envelopes", kPlans, "--yellow"} << 2;
    QTest::newRow("envelopes, both, each person once") << QStringList{"envelopes", kPlans, "--white", "--yellow"} << 4;
}

void TestCli::printsEachReport() {
    QFETCH(QStringList, args);
    QFETCH(int, pages);
    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    const Run run = cli(QStringList{"print"} + args + QStringList{"--pdf", pdf});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(run.out.trimmed(), QByteArray::number(pages) + " pages");
    QCOMPARE(pdfPageCount(pdf), pages);
}

void TestCli::largerTypeTakesMorePages() {
    const QString pdf = m_dir.filePath(QStringLiteral("large.pdf"));
    const Run run = cli({"print", "daily-appointments", kBusyDay, "--date", "2035-03-10", "--pdf", pdf, "--font",
                         "Liberation Sans", "--size", "20"});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(pdfPageCount(pdf) > 3);
}

void TestCli::paperOptionsSetThePage_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("points"); // the PDF page, in points
    QTest::newRow("A6") << QStringList{"--paper", "A6"} << QSize(297, 420);
    QTest::newRow("letter turned") << QStringList{"--paper", "letter", "--landscape"} << QSize(792, 612);
    QTest::newRow("DL envelope, narrow margins") << QStringList{"--paper", "DL", "--margins", "10"} << QSize(312, 624);
}

void TestCli::paperOptionsSetThePage() {
    QFETCH(QStringList, options);
    QFETCH(QSize, points);
    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    const Run run = cli(QStringList{"print", "daily-plan", kBusyDay, "--date", "2035-03-10", "--pdf", pdf} + options);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    static const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]"));
    const auto match = box.match(QString::fromLatin1(file.readAll()));
    QVERIFY(match.hasMatch());
    const QSize page(qRound(match.captured(1).toDouble()), qRound(match.captured(2).toDouble()));
    QCOMPARE(page, points);
}

void TestCli::nothingToPrintWritesNoFile_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("empty day") << QStringList{"daily-plan", kBusyDay, "--date", "2035-03-12"};
    QTest::newRow("nobody in the address book") << QStringList{"address-book", kEmpty};
}

void TestCli::nothingToPrintWritesNoFile() {
    QFETCH(QStringList, args);
    const QString pdf = m_dir.filePath(QStringLiteral("nothing.pdf"));
    const Run run = cli(QStringList{"print"} + args + QStringList{"--pdf", pdf});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("nothing to print"));
    QVERIFY(!QFile::exists(pdf));
}

void TestCli::printRefusesWrongArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unknown report") << QStringList{"yearly", kBusyDay, "--pdf", "unused.pdf"} << 2;
    QTest::newRow("no pdf") << QStringList{"daily-plan", kBusyDay} << 2;
    QTest::newRow("bad date") << QStringList{"daily-plan", kBusyDay, "--date", "10.3.2035", "--pdf", "unused.pdf"} << 2;
    QTest::newRow("bad size") << QStringList{"daily-plan", kBusyDay, "--size", "huge", "--pdf", "unused.pdf"} << 2;
    QTest::newRow("missing document") << QStringList{"daily-plan", "no-such-file.pgr", "--pdf", "unused.pdf"} << 1;
    QTest::newRow("unknown option") << QStringList{"daily-plan", kBusyDay, "--bogus", "--pdf", "unused.pdf"} << 2;
    QTest::newRow("option without its value") << QStringList{"daily-plan", kBusyDay, "--pdf"} << 2;
    QTest::newRow("unknown paper") << QStringList{"daily-plan", kBusyDay, "--paper", "Napkin", "--pdf", "unused.pdf"}
                                   << 2;
    QTest::newRow("margins wider than the paper")
        << QStringList{"daily-plan", kBusyDay, "--paper", "A6", "--margins", "40", "--pdf", "unused.pdf"} << 2;
}

void TestCli::printRefusesWrongArguments() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QDir::setCurrent(m_dir.path());
    const Run run = cli(QStringList{"print"} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("unused.pdf"))));
}

// Help goes to standard output with success; a command line not understood gets a short usage on
// standard error and status 2.
void TestCli::helpAndUsage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QByteArray("tavoro-cli 1.5\n") << QByteArray();
    QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("tavoro-cli check FILE\n") << QByteArray();
    QTest::newRow("help") << QStringList{"help"} << 0 << QByteArray("tavoro-cli resave IN OUT\n") << QByteArray();
    QTest::newRow("help COMMAND") << QStringList{"help", "check"} << 0 << QByteArray("usage: tavoro-cli check FILE\n")
                                  << QByteArray();
    QTest::newRow("COMMAND --help") << QStringList{"resave", "--help"} << 0
                                    << QByteArray("usage: tavoro-cli resave IN OUT\n") << QByteArray();
    QTest::newRow("no command") << QStringList{} << 2 << QByteArray() << QByteArray("usage: tavoro-cli COMMAND");
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << QByteArray()
                                     << QByteArray("tavoro-cli: unknown command 'frobnicate'\nusage:");
    QTest::newRow("wrong argument count")
        << QStringList{"resave", kAllFields} << 2 << QByteArray() << QByteArray("usage: tavoro-cli resave IN OUT\n");
    QTest::newRow("unknown option") << QStringList{"export", "persons", kAllFields, "out.csv", "--bogus"} << 2
                                    << QByteArray() << QByteArray("usage: tavoro-cli export");
    QTest::newRow("unknown option of a one-word command")
        << QStringList{"check", kAllFields, "--bogus"} << 2 << QByteArray()
        << QByteArray("tavoro-cli: Unknown option 'bogus'.\nusage: tavoro-cli check FILE\n");
    QTest::newRow("unknown option of backups")
        << QStringList{"backups", "--bogus"} << 2 << QByteArray() << QByteArray("usage: tavoro-cli backups DOC\n");
    QTest::newRow("-- before a name that looks like an option")
        << QStringList{"check", "--", "-x.pgr"} << 1 << QByteArray() << QByteArray("'-x.pgr' does not exist");
}

void TestCli::helpAndUsage() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const Run run = cli(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.contains(out), run.out.constData());
    QVERIFY2(run.err.contains(err), run.err.constData());
    QVERIFY(exitCode == 0 ? run.err.isEmpty() : run.out.isEmpty());
    for (const QByteArray& printed : {run.out, run.err})
        QVERIFY(printed.isEmpty() || printed.endsWith('\n'));
}

// The records go through a pipe and arrive whole; the counts stay off the data.
void TestCli::dashIsStandardInputAndOutput() {
    const Run exported = cli({"export", "persons", kVersion13, "-"});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY(exported.out.startsWith("\"FirstName\""));
    QCOMPARE(exported.err, QByteArray("2 persons written to -\n"));
    QVERIFY(!QFile::exists(QStringLiteral("-")));

    const QString document = m_dir.filePath(QStringLiteral("piped.pgr"));
    const Run imported = cli({"import", "persons", document, "-"}, exported.out);
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(imported.out, QByteArray("2 persons added to ") + document.toUtf8() + "\n");
    QCOMPARE(cli({"export", "persons", document, "-"}).out, exported.out);
}

TAVORO_TEST_MAIN(TestCli)
#include "TestCli.moc"
