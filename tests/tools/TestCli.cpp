#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

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
    void documentFailuresUseTheProgramsWords_data();
    void documentFailuresUseTheProgramsWords();
    void printsEachReport_data();
    void printsEachReport();
    void largerTypeTakesMorePages();
    void paperOptionsSetThePage_data();
    void paperOptionsSetThePage();
    void nothingToPrintWritesNoFile_data();
    void nothingToPrintWritesNoFile();
    void printRefusesWrongArguments_data();
    void printRefusesWrongArguments();

private:
    QTemporaryDir m_dir;
};

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

void TestCli::documentFailuresUseTheProgramsWords() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, error);
    const Run run = cli(args);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, error);
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
    QTest::newRow("unknown report") << QStringList{"yearly", kBusyDay, "--pdf", "unused.pdf"};
    QTest::newRow("no pdf") << QStringList{"daily-plan", kBusyDay};
    QTest::newRow("bad date") << QStringList{"daily-plan", kBusyDay, "--date", "10.3.2035", "--pdf", "unused.pdf"};
    QTest::newRow("bad size") << QStringList{"daily-plan", kBusyDay, "--size", "huge", "--pdf", "unused.pdf"};
    QTest::newRow("missing document") << QStringList{"daily-plan", "no-such-file.pgr", "--pdf", "unused.pdf"};
    QTest::newRow("unknown paper") << QStringList{"daily-plan", kBusyDay, "--paper", "A9", "--pdf", "unused.pdf"};
    QTest::newRow("margins wider than the paper")
        << QStringList{"daily-plan", kBusyDay, "--paper", "A6", "--margins", "40", "--pdf", "unused.pdf"};
}

void TestCli::printRefusesWrongArguments() {
    QFETCH(QStringList, args);
    QDir::setCurrent(m_dir.path());
    const Run run = cli(QStringList{"print"} + args);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("unused.pdf"))));
}

TAVORO_TEST_MAIN(TestCli)
#include "TestCli.moc"
