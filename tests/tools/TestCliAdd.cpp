#include "docfile/DocumentLock.h"
#include "support/CliProcess.h"
#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>

// tavoro-cli add, run as a user runs it: the line it prints, the record in the file, and the
// failures that write nothing.
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs tavoro-cli with the locale set to `locale` (the CLI reads "3/4" in its order).
CliRun runIn(const QByteArray& locale, const QStringList& args) {
    const QByteArray saved = qgetenv("LC_ALL");
    qputenv("LC_ALL", locale);
    const CliRun run = runCli(args);
    qputenv("LC_ALL", saved);
    return run;
}

} // namespace

class TestCliAdd : public QObject {
    Q_OBJECT
private slots:
    void addsWhatTheLineSays_data();
    void addsWhatTheLineSays();
    void addsToAnExistingDocument();
    void writesNothingWhenItCannot_data();
    void writesNothingWhenItCannot();
    void waitsForNoOneHoldingTheDocument();
};

void TestCliAdd::addsWhatTheLineSays_data() {
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("printed");
    QTest::newRow("times") << QByteArray("en_US.UTF-8") << QStringLiteral("Dentist 2027-03-14 9:15-10 remind 10 min")
                           << QByteArray("2027-03-14 09:15-10:00 Dentist\n");
    QTest::newRow("days") << QByteArray("en_US.UTF-8") << QStringLiteral("Trip to Rome 3-7 June 2027")
                          << QByteArray("2027-06-03 all day     [day 1/5] Trip to Rome\n");
    QTest::newRow("series") << QByteArray("en_US.UTF-8")
                            << QStringLiteral("Standup every weekday from 2027-01-02 9:30 for 15 min")
                            << QByteArray("2027-01-04 09:30-09:45 [repeat] Standup\n");
    QTest::newRow("month first") << QByteArray("en_US.UTF-8") << QStringLiteral("Call 3/4/2027 at 8")
                                 << QByteArray("2027-03-04 08:00-09:00 Call\n");
    QTest::newRow("day first") << QByteArray("en_GB.UTF-8") << QStringLiteral("Call 3/4/2027 at 8")
                               << QByteArray("2027-04-03 08:00-09:00 Call\n");
    QTest::newRow("not ASCII") << QByteArray("en_US.UTF-8") << QStringLiteral("Café with Zoë 2027-05-01 noon")
                               << QStringLiteral("2027-05-01 12:00-13:00 Café with Zoë\n").toUtf8();
}

// A new document is made; agenda then lists what add printed.
void TestCliAdd::addsWhatTheLineSays() {
    QFETCH(QByteArray, locale);
    QFETCH(QString, text);
    QFETCH(QByteArray, printed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.pgr"));
    const CliRun run = runIn(locale, {QStringLiteral("add"), path, text});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, printed);
    const QString day = QString::fromLatin1(printed.left(10));
    const CliRun agenda =
        runCli({QStringLiteral("agenda"), path, QStringLiteral("--from"), day, QStringLiteral("--to"), day});
    QCOMPARE(agenda.out, printed);
}

// The record joins the others with the next ID, the reminder's lead kept; the rest of the file stays.
void TestCliAdd::addsToAnExistingDocument() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.pgr"));
    QVERIFY(QFile::copy(QStringLiteral(TAVORO_TEST_DATA "/docfile/all-fields-v1.pgr"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const CliRun before = runCli({QStringLiteral("check"), path});
    const CliRun run = runCli({QStringLiteral("add"), path, QStringLiteral("Call Bob 2027-02-05 4pm remind 10 min")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("2027-02-05 16:00-17:00 Call Bob\n"));
    const CliRun after = runCli({QStringLiteral("check"), path});
    QVERIFY2(before.out != after.out, after.out.constData());
    const CliRun json = runCli({QStringLiteral("agenda"), path, QStringLiteral("--from"), QStringLiteral("2027-02-05"),
                                QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY(json.out.contains("\"Call Bob\""));
    QVERIFY(contents(path).contains("Call Bob"));
}

void TestCliAdd::writesNothingWhenItCannot_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no date or time") << QStringList{QStringLiteral("Buy milk")} << 1;
    QTest::newRow("a length alone") << QStringList{QStringLiteral("Read for 20 min")} << 1;
    QTest::newRow("no text") << QStringList{} << 2;
    QTest::newRow("two texts") << QStringList{QStringLiteral("Lunch"), QStringLiteral("tomorrow")} << 2;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--at"), QStringLiteral("Lunch tomorrow")} << 2;
}

void TestCliAdd::writesNothingWhenItCannot() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.pgr"));
    const CliRun run = runCli(QStringList{QStringLiteral("add"), path} + args);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFile::exists(path));
}

// While the program has the document open, add leaves it to that program.
void TestCliAdd::waitsForNoOneHoldingTheDocument() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.pgr"));
    QVERIFY(QFile::copy(QStringLiteral(TAVORO_TEST_DATA "/docfile/all-fields-v1.pgr"), path));
    const QByteArray bytes = contents(path);
    {
        const DocumentLock held(path);
        QVERIFY(held.IsLocked());
        const CliRun run = runCli({QStringLiteral("add"), path, QStringLiteral("Lunch 2027-01-05 1pm")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("in use"), run.err.constData());
        QCOMPARE(contents(path), bytes);
    }
    QCOMPARE(runCli({QStringLiteral("add"), path, QStringLiteral("Lunch 2027-01-05 1pm")}).exitCode, 0);
}

TAVORO_TEST_MAIN(TestCliAdd)
#include "TestCliAdd.moc"
