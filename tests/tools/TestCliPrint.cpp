#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString kBusyDay = QStringLiteral(TAVORO_TEST_DATA "/reports/busy-day.pgr");

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TAVORO_CLI), args);
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
    void printsDailyReports_data();
    void printsDailyReports();
    void largerTypeTakesMorePages();
    void emptyDayWritesNoFile();
    void refusesWrongArguments_data();
    void refusesWrongArguments();

private:
    QTemporaryDir m_dir;
};

void TestCliPrint::printsDailyReports_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("pages");
    // 130 appointments and 5 tasks on 2035-03-10: three pages of appointments on Letter or A4.
    QTest::newRow("appointments") << "daily-appointments" << 3;
    QTest::newRow("tasks") << "daily-tasks" << 1;
    QTest::newRow("plan") << "daily-plan" << 3;
}

void TestCliPrint::printsDailyReports() {
    QFETCH(QString, report);
    QFETCH(int, pages);
    const QString pdf = m_dir.filePath(report + QStringLiteral(".pdf"));
    const Run run = cli({QStringLiteral("print"), report, kBusyDay, QStringLiteral("--date"),
                         QStringLiteral("2035-03-10"), QStringLiteral("--pdf"), pdf});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.out.trimmed(), QStringLiteral("%1 pages").arg(pages));
    QCOMPARE(pdfPageCount(pdf), pages);
}

void TestCliPrint::largerTypeTakesMorePages() {
    const QString pdf = m_dir.filePath(QStringLiteral("large.pdf"));
    const Run run =
        cli({QStringLiteral("print"), QStringLiteral("daily-appointments"), kBusyDay, QStringLiteral("--date"),
             QStringLiteral("2035-03-10"), QStringLiteral("--pdf"), pdf, QStringLiteral("--font"),
             QStringLiteral("Liberation Sans"), QStringLiteral("--size"), QStringLiteral("20")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(pdfPageCount(pdf) > 3);
}

void TestCliPrint::emptyDayWritesNoFile() {
    const QString pdf = m_dir.filePath(QStringLiteral("empty.pdf"));
    const Run run = cli({QStringLiteral("print"), QStringLiteral("daily-plan"), kBusyDay, QStringLiteral("--date"),
                         QStringLiteral("2035-03-12"), QStringLiteral("--pdf"), pdf});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(QLatin1String("nothing to print")));
    QVERIFY(!QFile::exists(pdf));
}

void TestCliPrint::refusesWrongArguments_data() {
    QTest::addColumn<QStringList>("args");
    const QString pdf = QStringLiteral("unused.pdf");
    QTest::newRow("unknown report") << QStringList{QStringLiteral("print"), QStringLiteral("yearly"), kBusyDay,
                                                   QStringLiteral("--pdf"), pdf};
    QTest::newRow("no pdf") << QStringList{QStringLiteral("print"), QStringLiteral("daily-plan"), kBusyDay};
    QTest::newRow("bad date") << QStringList{
        QStringLiteral("print"),     QStringLiteral("daily-plan"), kBusyDay, QStringLiteral("--date"),
        QStringLiteral("10.3.2035"), QStringLiteral("--pdf"),      pdf};
    QTest::newRow("bad size") << QStringList{
        QStringLiteral("print"), QStringLiteral("daily-plan"), kBusyDay, QStringLiteral("--size"),
        QStringLiteral("huge"),  QStringLiteral("--pdf"),      pdf};
    QTest::newRow("missing document") << QStringList{QStringLiteral("print"), QStringLiteral("daily-plan"),
                                                     QStringLiteral("no-such-file.pgr"), QStringLiteral("--pdf"), pdf};
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
