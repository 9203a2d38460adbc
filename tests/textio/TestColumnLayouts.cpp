#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "support/TestMain.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/ImportReport.h"
#include "textio/RecordReader.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>

// Files as other programs export them, one per layout in tests/data/textio/layouts: the header
// names assign the columns by themselves, and what is imported, written back in our own layout,
// is the file's .ref beside it. Adding a layout is adding two files.
class TestColumnLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importsTheLayout_data();
    void importsTheLayout();
};

namespace {

const QString kLayouts = QStringLiteral(TAVORO_TEST_DATA "/textio/layouts");

struct Kind {
    const char* prefix;
    RecordKind kind;
};

const Kind kKinds[] = {
    {"persons-", RecordKind::Person},
    {"tasks-", RecordKind::Task},
    {"appointments-", RecordKind::Appointment},
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

void TestColumnLayouts::importsTheLayout_data() {
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(kLayouts).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TestColumnLayouts::importsTheLayout() {
    QFETCH(QString, file);
    platform::Clock::setFixed(platform::LocalTime{2026, 12, 1, 9, 0, 0});
    const Kind* kind = nullptr;
    for (const Kind& candidate : kKinds) {
        if (file.startsWith(QLatin1String(candidate.prefix)))
            kind = &candidate;
    }
    QVERIFY(kind);

    DelimitedTextSettings in = DelimitedTextSettings::ForImport(kind->kind);
    in.ApplyDefaultFormat();
    in.FilePath = QDir(kLayouts).filePath(file);
    if (file.contains(QLatin1String("spreadsheet")))
        in.Separator = ";";
    RecordReader header(in.FilePath, in.MakeTokenizer());
    DelimitedRecord names;
    QVERIFY(header.Next(names));
    in.FirstLine = header.Text();
    in.ListFirstLineFields();
    in.AssignColumnsByName();
    QVERIFY(in.HasRequiredFields());
    PimDocument document;
    ImportReport report;
    QVERIFY(ImportRecords(document, in, &report) > 0);
    QCOMPARE(report.SkippedCount(), 0);

    QTemporaryDir dir;
    DelimitedTextSettings out = DelimitedTextSettings::ForExport(kind->kind);
    out.ApplyDefaultFormat();
    out.SelectedFields = out.AvailableFields;
    out.FilePath = dir.filePath(QStringLiteral("out.csv"));
    ExportRecords(document.Records(), out);
    QCOMPARE(readAll(out.FilePath), readAll(QDir(kLayouts).filePath(file.chopped(4) + QStringLiteral(".ref"))));
    platform::Clock::setFixed(std::nullopt);
}

TAVORO_TEST_MAIN(TestColumnLayouts)
#include "TestColumnLayouts.moc"
