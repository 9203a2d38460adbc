#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// tavoro-cli print with every report, run as a user runs it.
namespace {

// 130 appointments and 5 tasks on 2035-03-10.
const QString kBusyDay = QStringLiteral(TAVORO_TEST_DATA "/reports/busy-day.pgr");
// Persons 1 Ann (white), 2 Bob (white and yellow), 3 Cy (yellow), 4 Dee (white), 5 Eve (neither);
// tasks and appointments in the first week of March 2003.
const QString kPlans = QStringLiteral(TAVORO_TEST_DATA "/reports/plans-and-people.pgr");
const QString kEmpty = QStringLiteral(TAVORO_TEST_DATA "/docfile/empty-v1.pgr");

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TAVORO_CLI), QStringList{QStringLiteral("print")} + args);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(file.readAll())); it.hasNext(); it.next())
        ++count;
    return count;
}

} // namespace

class TestCliPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsEachReport_data();
    void printsEachReport();
    void largerTypeTakesMorePages();
    void nothingToPrintWritesNoFile_data();
    void nothingToPrintWritesNoFile();
    void refusesWrongArguments_data();
    void refusesWrongArguments();

private:
    QTemporaryDir m_dir;
};

void TestCliPrint::printsEachReport_data() {
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

void TestCliPrint::printsEachReport() {
    QFETCH(QStringList, args);
    QFETCH(int, pages);
    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    const Run run = cli(args + QStringList{QStringLiteral("--pdf"), pdf});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.out.trimmed(), QStringLiteral("%1 pages").arg(pages));
    QCOMPARE(pdfPageCount(pdf), pages);
}

void TestCliPrint::largerTypeTakesMorePages() {
    const QString pdf = m_dir.filePath(QStringLiteral("large.pdf"));
    const Run run = cli({"daily-appointments", kBusyDay, "--date", "2035-03-10", "--pdf", pdf, "--font",
                         "Liberation Sans", "--size", "20"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(pdfPageCount(pdf) > 3);
}

void TestCliPrint::nothingToPrintWritesNoFile_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("empty day") << QStringList{"daily-plan", kBusyDay, "--date", "2035-03-12"};
    QTest::newRow("nobody in the address book") << QStringList{"address-book", kEmpty};
}

void TestCliPrint::nothingToPrintWritesNoFile() {
    QFETCH(QStringList, args);
    const QString pdf = m_dir.filePath(QStringLiteral("nothing.pdf"));
    const Run run = cli(args + QStringList{QStringLiteral("--pdf"), pdf});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(QLatin1String("nothing to print")));
    QVERIFY(!QFile::exists(pdf));
}

void TestCliPrint::refusesWrongArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown report") << QStringList{"yearly", kBusyDay, "--pdf", "unused.pdf"};
    QTest::newRow("no pdf") << QStringList{"daily-plan", kBusyDay};
    QTest::newRow("bad date") << QStringList{"daily-plan", kBusyDay, "--date", "10.3.2035", "--pdf", "unused.pdf"};
    QTest::newRow("bad size") << QStringList{"daily-plan", kBusyDay, "--size", "huge", "--pdf", "unused.pdf"};
    QTest::newRow("missing document") << QStringList{"daily-plan", "no-such-file.pgr", "--pdf", "unused.pdf"};
}

void TestCliPrint::refusesWrongArguments() {
    QFETCH(QStringList, args);
    QDir::setCurrent(m_dir.path());
    const Run run = cli(args);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("unused.pdf"))));
}

TAVORO_TEST_MAIN(TestCliPrint)
#include "TestCliPrint.moc"
