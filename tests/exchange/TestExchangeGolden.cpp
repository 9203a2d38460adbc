#include "RecordDump.h"

#include "docfile/PimDocument.h"
#include "exchange/CalendarExchange.h"
#include "exchange/RecordUid.h"
#include "exchange/VCardExchange.h"
#include "platform/AtomicFile.h"
#include "support/RecordBuilders.h"
#include "support/TestMain.h"

#include <QDir>

// Every file of tests/data/exchange/vcard and .../ical against the .ref beside it: the records an
// import into an empty document makes, and its report. Adding a case is adding the two files;
// TAVORO_UPDATE_GOLDEN=1 writes the .ref files anew (read them before committing).
class TestExchangeGolden : public QObject {
    Q_OBJECT

private:
    static void addRows(const char* folder, const char* pattern) {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(TAVORO_TEST_DATA "/exchange/") + QLatin1String(folder));
        const QStringList files = dir.entryList({QLatin1String(pattern)}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << dir.filePath(file);
    }

    static void compareWithReference(const QString& path, const QStringList& lines) {
        const QString refPath = path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".ref");
        const QString actual = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        if (qEnvironmentVariableIsSet("TAVORO_UPDATE_GOLDEN"))
            QVERIFY(platform::WriteFileAtomically(refPath, actual.toStdString()));
        const std::optional<std::string> expected = platform::ReadWholeFile(refPath);
        QVERIFY2(expected, qPrintable(refPath));
        QCOMPARE(actual, QString::fromStdString(*expected));
    }

private slots:
    void vcard_data() { addRows("vcard", "*.vcf"); }
    void vcard() {
        QFETCH(QString, path);
        PimDocument document;
        const ExchangeReport report = vcardexchange::ImportFile(document, path);
        compareWithReference(path, recorddump::Persons(document.Records()) + recorddump::Report(report));
    }

    void ical_data() { addRows("ical", "*.ics"); }
    void ical() {
        QFETCH(QString, path);
        calendarexchange::ImportOptions options;
        options.today = DateTime(2026, 3, 15, 0, 0, 0);
        options.from = DateTime(2025, 3, 15, 0, 0, 0);
        options.to = DateTime(2028, 3, 15, 0, 0, 0);
        PimDocument document;
        const ExchangeReport report = calendarexchange::ImportFile(document, path, options);
        compareWithReference(path, recorddump::Calendar(document.Records()) + recorddump::Report(report));
    }

    // Another program matches what it imported before by these UIDs: they are fixed for good.
    void uidsNeverChange_data() {
        QTest::addColumn<RecordKind>("kind");
        QTest::addColumn<QString>("uid");
        QTest::newRow("person") << RecordKind::Person << QStringLiteral("9968078b-31df-5ab4-b99a-f7d0be98ad87");
        QTest::newRow("task") << RecordKind::Task << QStringLiteral("ee395c21-3af8-5384-a61e-b0dd00ece280");
        QTest::newRow("appointment") << RecordKind::Appointment
                                     << QStringLiteral("c0991947-c061-5bde-8b24-f70a9b071d9e");
    }
    void uidsNeverChange() {
        QFETCH(RecordKind, kind);
        QFETCH(QString, uid);
        QCOMPARE(QString::fromStdString(recorduid::Uid(QStringLiteral("diary.pgr"), kind, 7)), uid);
        QCOMPARE(QString::fromStdString(recorduid::UrnUid(QStringLiteral("diary.pgr"), kind, 7)),
                 QStringLiteral("urn:uuid:") + uid);
    }
};

TAVORO_TEST_MAIN(TestExchangeGolden)
#include "TestExchangeGolden.moc"
