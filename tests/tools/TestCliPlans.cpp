#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// tavoro-cli print with the weekly and monthly plans, the address book and envelopes.
namespace {

// Persons 1 Ann (white), 2 Bob (white and yellow), 3 Cy (yellow), 4 Dee (white), 5 Eve (neither);
// tasks and appointments in the first week of March 2003.
const QString kDocument = QStringLiteral(TAVORO_TEST_DATA "/reports/plans-and-people.pgr");

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

class TestCliPlans : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsEachReport_data();
    void printsEachReport();
    void nobodyOnThePagesWritesNoFile();

private:
    QTemporaryDir m_dir;
};

void TestCliPlans::printsEachReport_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("pages");
    QTest::newRow("weekly plan") << QStringList{"weekly-plan", "--date", "2003-03-05"} << 2;
    QTest::newRow("monthly plan") << QStringList{"monthly-plan", "--date", "2003-03-05"} << 1;
    QTest::newRow("address book") << QStringList{"address-book"} << 1;
    QTest::newRow("envelopes, white pages by default") << QStringList{"envelopes"} << 3;
    QTest::newRow("envelopes, white pages") << QStringList{"envelopes", "--white"} << 3;
    QTest::newRow("envelopes, yellow pages") << QStringList{"envelopes", "--yellow"} << 2;
    QTest::newRow("envelopes, both, each person once") << QStringList{"envelopes", "--white", "--yellow"} << 4;
}

void TestCliPlans::printsEachReport() {
    QFETCH(QStringList, args);
    QFETCH(int, pages);
    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    const Run run = cli(QStringList{QStringLiteral("print"), args.first(), kDocument} + args.mid(1) +
                        QStringList{QStringLiteral("--pdf"), pdf});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.out.trimmed(), QStringLiteral("%1 pages").arg(pages));
    QCOMPARE(pdfPageCount(pdf), pages);
}

void TestCliPlans::nobodyOnThePagesWritesNoFile() {
    const QString pdf = m_dir.filePath(QStringLiteral("nobody.pdf"));
    const Run run = cli({QStringLiteral("print"), QStringLiteral("address-book"),
                         QStringLiteral(TAVORO_TEST_DATA "/docfile/empty-v1.pgr"), QStringLiteral("--pdf"), pdf});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(QLatin1String("nothing to print")));
    QVERIFY(!QFile::exists(pdf));
}

TAVORO_TEST_MAIN(TestCliPlans)
#include "TestCliPlans.moc"
