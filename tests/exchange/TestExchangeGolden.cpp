#include "RecordDump.h"

#include "docfile/PimDocument.h"
#include "exchange/CalendarExchange.h"
#include "exchange/VCardExchange.h"
#include "platform/AtomicFile.h"
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
};

TAVORO_TEST_MAIN(TestExchangeGolden)
#include "TestExchangeGolden.moc"
