#include "ReportFixtures.h"
#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/CreateReport.h"
#include "reports/PrintCommands.h"
#include "reports/PrintJob.h"
#include "reports/PrintSettings.h"
#include "support/FakePrintDialogs.h"
#include "support/TestMain.h"

#include <QObject>
#include <QPageLayout>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>

using fixtures::pdfPageCount;
using fixtures::selection;

namespace {

// Rows a daily report puts on one page: one line each under the title, a blank line and the heads,
// clear of the footer line.
int rowsPerPage(const Report& report) {
    const platform::Rect r = report.GetPrintRect();
    const int lh = report.LineHeight();
    return (r.bottom - lh - (r.top + 3 * lh)) / lh;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void printerWithoutInstalledPrintersWritesPdf();
    void eachDailyReportPrintsItsPages_data();
    void eachDailyReportPrintsItsPages();
    void reportWithoutPagesPrintsNothing();
    void pagesKeepTheirPlaceOnAnotherPrinter();
    void printCommandUsesTheChosenPrinter();
    void cancelledPrintDialogPrintsNothing();
    void printFromPreviewPrintsTheReportShown();
    void pageSetupConvertsMargins();
    void cancelledPageSetupChangesNothing();
    void reportFontTakesTheDialogsChoice();

private:
    QTemporaryDir m_dir;
};

void TestPrinting::init() {
    QVERIFY(m_dir.isValid());
}

void TestPrinting::printerWithoutInstalledPrintersWritesPdf() {
    PrintSettings settings;
    QCOMPARE(settings.Margins, (PageMargins{1000, 1000, 1000, 1000}));
    QCOMPARE(settings.Font, (ReportFont{QStringLiteral("Times New Roman"), 10}));
    settings.UsePdfFile(m_dir.filePath(QStringLiteral("x.pdf")));
    QCOMPARE(settings.Printer().outputFormat(), QPrinter::PdfFormat);
    // A PDF page has no unprintable edge: painting starts at the paper's corner.
    const platform::DeviceMetrics m = platform::printerMetrics(settings.Printer());
    QCOMPARE(m.physicalOffsetX, 0);
    QCOMPARE(m.physicalOffsetY, 0);
    QCOMPARE(m.logPixelsX, settings.Printer().resolution());
    QVERIFY(m.physicalWidth > 6 * m.logPixelsX);
}

void TestPrinting::eachDailyReportPrintsItsPages_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("appointments");
    QTest::addColumn<int>("tasks");
    QTest::newRow("appointments, one page") << int(ReportKind::DailyAppointments) << 12 << 0;
    QTest::newRow("appointments, three pages") << int(ReportKind::DailyAppointments) << 130 << 0;
    QTest::newRow("tasks, one page") << int(ReportKind::DailyTasks) << 0 << 3;
    QTest::newRow("tasks, two pages") << int(ReportKind::DailyTasks) << 0 << 70;
    QTest::newRow("plan, appointments longer") << int(ReportKind::DailyPlan) << 60 << 5;
    QTest::newRow("plan, tasks longer") << int(ReportKind::DailyPlan) << 2 << 100;
}

void TestPrinting::eachDailyReportPrintsItsPages() {
    QFETCH(int, kind);
    QFETCH(int, appointments);
    QFETCH(int, tasks);
    PrintSettings settings;
    const QString path = m_dir.filePath(QStringLiteral("report.pdf"));
    settings.UsePdfFile(path);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());
    auto report =
        CreateReport(&surface, selection(ReportKind(kind), appointments, tasks), settings.Margins, settings.Font);
    QVERIFY(report);
    const int perPage = rowsPerPage(*report);
    QVERIFY(perPage > 20);
    const int longest = std::max(appointments, tasks);
    const int expected = (longest + perPage - 1) / perPage;
    QCOMPARE(report->GetPageCount(), expected);

    QStringList status;
    QVERIFY(PrintJob::Print(*report, settings.Printer(), metrics,
                            [&](int number, int count) { status << QStringLiteral("%1/%2").arg(number).arg(count); }));
    QCOMPARE(pdfPageCount(path), expected);
    QCOMPARE(status.size(), expected);
    QCOMPARE(status.last(), QStringLiteral("%1/%1").arg(expected));
    QCOMPARE(settings.Printer().docName(), QStringLiteral("Tavoro! Document"));
}

void TestPrinting::reportWithoutPagesPrintsNothing() {
    PrintSettings settings;
    const QString path = m_dir.filePath(QStringLiteral("empty.pdf"));
    settings.UsePdfFile(path);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());
    auto report = CreateReport(&surface, selection(ReportKind::DailyTasks, 0, 0), settings.Margins, settings.Font);
    QCOMPARE(report->GetPageCount(), 0);
    QVERIFY(PrintJob::Print(*report, settings.Printer(), metrics));
    QVERIFY(!QFile::exists(path));
}

void TestPrinting::pagesKeepTheirPlaceOnAnotherPrinter() {
    platform::DeviceMetrics preview{600, 600, 5100, 6600, 150, 150};
    platform::DeviceMetrics printer{1200, 1200, 10200, 13200, 0, 60};
    const QTransform t = platform::pageTransform(preview, printer);
    // One inch from the paper's left and top edges on both.
    QCOMPARE(t.map(QPointF(600 - 150, 600 - 150)), QPointF(1200, 1200 - 60));
    QCOMPARE(t.map(QPointF(0, 0)), QPointF(300, 300 - 60));
    QVERIFY(platform::pageTransform(printer, printer).isIdentity());
}

void TestPrinting::printCommandUsesTheChosenPrinter() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    const QString path = m_dir.filePath(QStringLiteral("chosen.pdf"));
    dialogs.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    };
    QSignalSpy status(&commands, &PrintCommands::statusText);
    QVERIFY(commands.Print(selection(ReportKind::DailyAppointments, 100, 0)));
    QCOMPARE(dialogs.printerDialogs, 1);
    const int pages = pdfPageCount(path);
    QCOMPARE(pages, 2);
    QCOMPARE(status.size(), 2);
    QCOMPARE(status.last().at(0).toString(), QStringLiteral("Page 2 of 2"));
    QVERIFY(!commands.Preview().InPreview());
    QVERIFY(!commands.PreviewReport());
}

void TestPrinting::cancelledPrintDialogPrintsNothing() {
    FakePrintDialogs dialogs;
    dialogs.acceptPrinter = false;
    PrintCommands commands(dialogs);
    const QString path = m_dir.filePath(QStringLiteral("cancelled.pdf"));
    commands.Settings().UsePdfFile(path);
    QVERIFY(!commands.Print(selection(ReportKind::DailyTasks, 0, 5)));
    QVERIFY(!QFile::exists(path));
}

void TestPrinting::printFromPreviewPrintsTheReportShown() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    const QString path = m_dir.filePath(QStringLiteral("shown.pdf"));
    commands.Settings().UsePdfFile(path);
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyAppointments, 3, 0)));
    // The selection has changed meanwhile; the report shown is what prints.
    QVERIFY(commands.Print(selection(ReportKind::DailyAppointments, 150, 0)));
    QCOMPARE(pdfPageCount(path), 1);
    QVERIFY(commands.Preview().InPreview());
    QVERIFY(commands.PreviewReport());
}

void TestPrinting::pageSetupConvertsMargins() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    commands.Settings().UsePdfFile(m_dir.filePath(QStringLiteral("setup.pdf")));
    dialogs.nextMarginsMillimetres = QMarginsF(12.7, 25.4, 19.05, 38.1);
    QVERIFY(commands.PageSetup(selection(ReportKind::DailyTasks, 0, 1)));
    // The dialog starts from the report margins.
    QCOMPARE(dialogs.marginsShown, QMarginsF(1, 1, 1, 1));
    QCOMPARE(commands.Settings().Margins, (PageMargins{500, 1000, 750, 1500}));
    // The printer paints from the paper's corner again; the report lays its margins out itself.
    QCOMPARE(commands.Settings().Printer().pageLayout().margins(QPageLayout::Inch), QMarginsF(0, 0, 0, 0));
}

void TestPrinting::cancelledPageSetupChangesNothing() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    commands.Settings().Margins = {250, 500, 750, 1250};
    QVERIFY(!commands.PageSetup(selection(ReportKind::DailyTasks, 0, 1)));
    QCOMPARE(dialogs.pageSetupDialogs, 1);
    QCOMPARE(commands.Settings().Margins, (PageMargins{250, 500, 750, 1250}));
    QCOMPARE(dialogs.marginsShown, QMarginsF(0.25, 0.5, 0.75, 1.25));
}

void TestPrinting::reportFontTakesTheDialogsChoice() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    QVERIFY(!commands.ChooseReportFont());
    QCOMPARE(dialogs.fontShown.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(dialogs.fontShown.pointSize(), 10);
    QCOMPARE(commands.Settings().Font, (ReportFont{QStringLiteral("Times New Roman"), 10}));

    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyTasks, 0, 4)));
    QFont chosen(QStringLiteral("Liberation Sans"));
    chosen.setPointSizeF(14.5);
    dialogs.nextFont = chosen;
    QVERIFY(commands.ChooseReportFont());
    QCOMPARE(commands.Settings().Font, (ReportFont{QStringLiteral("Liberation Sans"), 14}));
    // Used by the next report built; the preview shown stays as it is.
    QCOMPARE(commands.PreviewReport()->PointSize(), 10);
    commands.LeavePreview();
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyTasks, 0, 4)));
    QCOMPARE(commands.PreviewReport()->PointSize(), 14);
    QCOMPARE(commands.PreviewReport()->FaceName(), QStringLiteral("Liberation Sans"));
}

TAVORO_TEST_MAIN(TestPrinting)
#include "TestPrinting.moc"
