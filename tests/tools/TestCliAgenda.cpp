#include "support/CliProcess.h"
#include "support/TestMain.h"

#include <QFile>
#include <QObject>

// tavoro-cli agenda on a document with series, changed occurrences, all-day, multi-day and zoned
// appointments: what it prints is compared with the expected text, byte for byte.
namespace {

const QString kDocument = QStringLiteral(TAVORO_TEST_DATA "/docfile/repeating-v1.pgr");
// Birthdays on 2026-03-15 (one of a year unknown, one on 29 February), an anniversary on the 16th.
const QString kBirthdays = QStringLiteral(TAVORO_TEST_DATA "/tools/birthdays-v1.pgr");

QByteArray expected(const QString& name) {
    QFile file(QStringLiteral(TAVORO_TEST_DATA "/tools/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCliAgenda : public QObject {
    Q_OBJECT
private slots:
    void printsTheDays_data();
    void printsTheDays();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();
};

void TestCliAgenda::printsTheDays_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("golden");
    const QStringList week{QStringLiteral("--from"), QStringLiteral("2025-03-10"), QStringLiteral("--to"),
                           QStringLiteral("2025-03-16")};
    QTest::newRow("text") << kDocument << QByteArray("Europe/Berlin") << week << QStringLiteral("agenda-repeating.txt");
    // Dates stay on their days; times are the moments' in New York, a New York series keeps 09:00.
    QTest::newRow("text in New York") << kDocument << QByteArray("America/New_York") << week
                                      << QStringLiteral("agenda-repeating-new-york.txt");
    QTest::newRow("json") << kDocument << QByteArray("Europe/Berlin")
                          << QStringList{QStringLiteral("--format"), QStringLiteral("json"),
                                         QStringLiteral("--from"),   QStringLiteral("2025-03-10"),
                                         QStringLiteral("--to"),     QStringLiteral("2025-03-12")}
                          << QStringLiteral("agenda-repeating.json");
    const QStringList birthdayDays{QStringLiteral("--from"), QStringLiteral("2026-03-14"), QStringLiteral("--to"),
                                   QStringLiteral("2026-03-16")};
    QTest::newRow("birthdays") << kBirthdays << QByteArray("Europe/Berlin") << birthdayDays
                               << QStringLiteral("agenda-birthdays.txt");
    // 2027: 29 February falls on the 28th.
    QTest::newRow("birthdays, json") << kBirthdays << QByteArray("Europe/Berlin")
                                     << QStringList{QStringLiteral("--format"), QStringLiteral("json"),
                                                    QStringLiteral("--from"),   QStringLiteral("2027-02-28"),
                                                    QStringLiteral("--to"),     QStringLiteral("2027-03-15")}
                                     << QStringLiteral("agenda-birthdays.json");
    QTest::newRow("without birthdays") << kBirthdays << QByteArray("Europe/Berlin")
                                       << birthdayDays + QStringList{QStringLiteral("--no-birthdays")}
                                       << QStringLiteral("agenda-no-birthdays.txt");
}

void TestCliAgenda::printsTheDays() {
    QFETCH(QString, document);
    QFETCH(QByteArray, zone);
    QFETCH(QStringList, options);
    QFETCH(QString, golden);
    const QByteArray saved = qgetenv("TZ");
    qputenv("TZ", zone);
    const CliRun run = runCli(QStringList{QStringLiteral("agenda"), document} + options);
    qputenv("TZ", saved);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected(golden));
}

void TestCliAgenda::refusesWhatItCannotRead_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no such day") << QStringList{kDocument, QStringLiteral("--from"), QStringLiteral("2025-02-30")} << 2;
    QTest::newRow("end before start") << QStringList{kDocument, QStringLiteral("--from"), QStringLiteral("2025-03-10"),
                                                     QStringLiteral("--to"), QStringLiteral("2025-03-09")}
                                      << 2;
    QTest::newRow("unknown format") << QStringList{kDocument, QStringLiteral("--format"), QStringLiteral("xml")} << 2;
    QTest::newRow("no document") << QStringList{} << 2;
    QTest::newRow("missing document") << QStringList{QStringLiteral("/nonexistent/none.pgr")} << 1;
}

void TestCliAgenda::refusesWhatItCannotRead() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    const CliRun run = runCli(QStringList{QStringLiteral("agenda")} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
}

TAVORO_TEST_MAIN(TestCliAgenda)
#include "TestCliAgenda.moc"
