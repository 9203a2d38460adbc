#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/CreateReport.h"
#include "reports/PrintJob.h"
#include "reports/PrintSettings.h"
#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

// The four reports printed through a real printer writing PDF, as File > Print does.
namespace {

int pdfPageCount(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

Person person(int id, const char* first, const char* last) {
    Person p;
    p.ID = id;
    p.FName = first;
    p.LName = last;
    p.Company = "Acme";
    p.Addr1 = "1 Main St";
    p.City = "Springfield";
    p.State = "IL";
    p.Zip = "62701";
    return p;
}

ReportSelection planSelection(ReportKind kind) {
    ReportSelection s;
    s.Kind = kind;
    s.SelectedDate = DateTime(2003, 3, 5, 0, 0, 0);
    Task t;
    t.Description = "Send the R&D report";
    t.DueDate = DateTime(2003, 3, 8, 0, 0, 0);
    s.Tasks.push_back(t);
    Appointment a;
    a.Description = "Dentist";
    a.DueDate = DateTime(2003, 3, 3, 0, 0, 0);
    a.StartTime = DateTime(2003, 3, 3, 13, 5, 0);
    s.Appointments.push_back(a);
    return s;
}

} // namespace

Q_DECLARE_METATYPE(ReportSelection)

class TestPlanReportsPdf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageCounts_data();
    void pageCounts();

private:
    QTemporaryDir m_dir;
};

void TestPlanReportsPdf::pageCounts_data() {
    QTest::addColumn<ReportSelection>("selection");
    QTest::addColumn<int>("pages");
    QTest::newRow("weekly plan") << planSelection(ReportKind::WeeklyPlan) << 2;
    QTest::newRow("monthly plan") << planSelection(ReportKind::MonthlyPlan) << 1;

    ReportSelection envelopes;
    envelopes.Kind = ReportKind::Envelopes;
    envelopes.YellowPages = true;
    envelopes.User.FName = "Owen";
    envelopes.EnvelopePersons = {person(1, "Ann", "Smith"), person(4, "Bob", "Jones"), person(9, "Cy", "Young")};
    QTest::newRow("envelopes, one a person") << envelopes << 3;

    ReportSelection book;
    book.Kind = ReportKind::AddressBook;
    for (int i = 0; i < 12; ++i)
        book.AddressBookPersons.push_back(person(i + 1, "Ann", qPrintable(QStringLiteral("Name%1").arg(i))));
    // Eight lines each: as many pages as the printer's font needs, more than one.
    QTest::newRow("address book") << book << -1;
}

void TestPlanReportsPdf::pageCounts() {
    QFETCH(ReportSelection, selection);
    QFETCH(int, pages);
    QVERIFY(m_dir.isValid());
    const QString fileName = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    PrintSettings settings;
    settings.UsePdfFile(fileName);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());
    std::unique_ptr<Report> report = CreateReport(&surface, selection, settings.Margins, settings.Font);
    QVERIFY(report);
    if (pages < 0) {
        QVERIFY(report->GetPageCount() > 1);
        pages = report->GetPageCount();
    }
    QCOMPARE(report->GetPageCount(), pages);
    QVERIFY(PrintJob::Print(*report, settings.Printer(), metrics));
    QCOMPARE(pdfPageCount(fileName), pages);
    QCOMPARE(report->PointSize(), 10);
}

TAVORO_TEST_MAIN(TestPlanReportsPdf)
#include "TestPlanReportsPdf.moc"
