#include "ReportFixtures.h"
#include "platform/SettingsStore.h"
#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/CreateReport.h"
#include "reports/PaperNames.h"
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

Q_DECLARE_METATYPE(ReportSelection)

namespace {

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

ReportSelection personSelection(ReportKind kind, int count) {
    ReportSelection s;
    s.Kind = kind;
    s.YellowPages = true;
    s.User.FName = "Owen";
    for (int i = 1; i <= count; ++i) {
        const Person p = fixtures::person(i, "Ann", qPrintable(QStringLiteral("Name%1").arg(i)));
        (kind == ReportKind::Envelopes ? s.EnvelopePersons : s.AddressBookPersons).push_back(p);
    }
    return s;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void printerWithoutInstalledPrintersWritesPdf();
    void eachReportPrintsItsPages_data();
    void eachReportPrintsItsPages();
    void pagesKeepTheirPlaceOnAnotherPrinter();
    void printCommandUsesTheChosenPrinter();
    void printFromPreviewPrintsTheReportShown();
    void pageSetupConvertsMargins();
    void reportFontTakesTheDialogsChoice();
    void exportPdfWritesTheReport();
    void pageSetupIsRememberedForTheNextRun();
    void paperFollowsTheLocale_data();
    void paperFollowsTheLocale();

private:
    QTemporaryDir m_dir;
};

void TestPrinting::init() {
    QVERIFY(m_dir.isValid());
}

void TestPrinting::printerWithoutInstalledPrintersWritesPdf() {
    PrintSettings settings;
    settings.UsePdfFile(m_dir.filePath(QStringLiteral("x.pdf")));
    QCOMPARE(settings.Printer().outputFormat(), QPrinter::PdfFormat);
    // A PDF page has no unprintable edge: painting starts at the paper's corner.
    const platform::DeviceMetrics m = platform::printerMetrics(settings.Printer());
    QCOMPARE(m.physicalOffsetX, 0);
    QCOMPARE(m.physicalOffsetY, 0);
    QCOMPARE(m.logPixelsX, settings.Printer().resolution());
}

// Every report through a real printer writing PDF, as File > Print does. A daily page holds about
// fifty rows on Letter or A4.
void TestPrinting::eachReportPrintsItsPages_data() {
    QTest::addColumn<ReportSelection>("selection");
    QTest::addColumn<int>("pages");
    QTest::newRow("appointments, one page") << selection(ReportKind::DailyAppointments, 12, 0) << 1;
    QTest::newRow("appointments, three pages") << selection(ReportKind::DailyAppointments, 130, 0) << 3;
    QTest::newRow("tasks, two pages") << selection(ReportKind::DailyTasks, 0, 70) << 2;
    QTest::newRow("tasks, none") << selection(ReportKind::DailyTasks, 0, 0) << 0;
    QTest::newRow("plan, appointments longer") << selection(ReportKind::DailyPlan, 60, 5) << 2;
    QTest::newRow("plan, tasks longer") << selection(ReportKind::DailyPlan, 2, 100) << 2;
    QTest::newRow("weekly plan") << planSelection(ReportKind::WeeklyPlan) << 2;
    QTest::newRow("monthly plan") << planSelection(ReportKind::MonthlyPlan) << 1;
    QTest::newRow("envelopes, one a person") << personSelection(ReportKind::Envelopes, 3) << 3;
    // Eight lines an entry: as many pages as the printer's font needs, more than one.
    QTest::newRow("address book") << personSelection(ReportKind::AddressBook, 12) << -1;
}

void TestPrinting::eachReportPrintsItsPages() {
    QFETCH(ReportSelection, selection);
    QFETCH(int, pages);
    PrintSettings settings;
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    settings.UsePdfFile(path);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());
    auto report = CreateReport(&surface, selection, settings.Margins, settings.Font);
    QVERIFY(report);
    if (pages < 0) {
        QVERIFY(report->GetPageCount() > 1);
        pages = report->GetPageCount();
    }
    QCOMPARE(report->GetPageCount(), pages);

    QStringList status;
    QVERIFY(PrintJob::Print(*report, settings.Printer(), metrics,
                            [&](int number, int count) { status << QStringLiteral("%1/%2").arg(number).arg(count); }));
    QCOMPARE(status.size(), pages);
    if (pages == 0) {
        QVERIFY(!QFile::exists(path));
        return;
    }
    QCOMPARE(pdfPageCount(path), pages);
    QCOMPARE(status.last(), QStringLiteral("%1/%1").arg(pages));
    QCOMPARE(settings.Printer().docName(), QStringLiteral("Tavoro! Document"));
    QCOMPARE(report->PointSize(), 10);
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
    dialogs.acceptPrinter = false;
    QVERIFY(!commands.Print(selection(ReportKind::DailyAppointments, 100, 0)));
    QVERIFY(!QFile::exists(path));

    dialogs.acceptPrinter = true;
    QSignalSpy status(&commands, &PrintCommands::statusText);
    QVERIFY(commands.Print(selection(ReportKind::DailyAppointments, 100, 0)));
    QCOMPARE(dialogs.printerDialogs, 2);
    QCOMPARE(pdfPageCount(path), 2);
    QCOMPARE(status.size(), 2);
    QCOMPARE(status.last().at(0).toString(), QStringLiteral("Page 2 of 2"));
    QVERIFY(!commands.Preview().InPreview());
    QVERIFY(!commands.PreviewReport());
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
    commands.Settings().Margins = {250, 500, 750, 1250};
    // The dialog starts from the report margins; Cancel changes nothing.
    QVERIFY(!commands.PageSetup(selection(ReportKind::DailyTasks, 0, 1)));
    QCOMPARE(dialogs.marginsShown, QMarginsF(0.25, 0.5, 0.75, 1.25));
    QCOMPARE(commands.Settings().Margins, (PageMargins{250, 500, 750, 1250}));

    dialogs.nextMarginsMillimetres = QMarginsF(12.7, 25.4, 19.05, 38.1);
    QVERIFY(commands.PageSetup(selection(ReportKind::DailyTasks, 0, 1)));
    QCOMPARE(commands.Settings().Margins, (PageMargins{500, 1000, 750, 1500}));
    // The printer paints from the paper's corner again; the report lays its margins out itself.
    QCOMPARE(commands.Settings().Printer().pageLayout().margins(QPageLayout::Inch), QMarginsF(0, 0, 0, 0));
}

void TestPrinting::exportPdfWritesTheReport() {
    FakePrintDialogs dialogs;
    PrintCommands commands(dialogs);
    const QString path = m_dir.filePath(QStringLiteral("exported.pdf"));
    QVERIFY(commands.ExportPdf(selection(ReportKind::DailyAppointments, 150, 0), path));
    QVERIFY(pdfPageCount(path) > 1);
    QCOMPARE(dialogs.printerDialogs, 0); // no print dialog on the way
    // From the preview, the report shown; nothing to print writes no file.
    QVERIFY(commands.EnterPreview(selection(ReportKind::DailyAppointments, 3, 0)));
    QVERIFY(commands.ExportPdf(selection(ReportKind::DailyAppointments, 150, 0), path));
    QCOMPARE(pdfPageCount(path), 1);
    commands.LeavePreview();
    const QString empty = m_dir.filePath(QStringLiteral("empty.pdf"));
    QVERIFY(!commands.ExportPdf(selection(ReportKind::DailyAppointments, 0, 0), empty));
    QVERIFY(!QFile::exists(empty));
    QVERIFY(!commands.ExportPdf(selection(ReportKind::DailyAppointments, 3, 0),
                                m_dir.filePath(QStringLiteral("no/such/dir.pdf"))));
}

void TestPrinting::pageSetupIsRememberedForTheNextRun() {
    platform::SettingsStore store;
    {
        FakePrintDialogs dialogs;
        PrintCommands commands(dialogs);
        commands.UseSettings(store);
        commands.Settings().Printer().setPageSize(QPageSize(QPageSize::A5));
        commands.Settings().Printer().setPageOrientation(QPageLayout::Landscape);
        dialogs.nextMarginsMillimetres = QMarginsF(12.7, 25.4, 19.05, 38.1);
        QVERIFY(commands.PageSetup(selection(ReportKind::DailyTasks, 0, 1)));
    }
    FakePrintDialogs dialogs;
    PrintCommands next(dialogs);
    next.UseSettings(store);
    QCOMPARE(next.Settings().Margins, (PageMargins{500, 1000, 750, 1500}));
    QCOMPARE(next.Settings().Printer().pageLayout().pageSize().id(), QPageSize::A5);
    QCOMPARE(next.Settings().Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

void TestPrinting::paperFollowsTheLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("paper");
    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Letter);
    QTest::newRow("Canada") << QLocale(QLocale::French, QLocale::Canada) << int(QPageSize::Letter);
    QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << int(QPageSize::A4);
    QTest::newRow("United Kingdom") << QLocale(QLocale::English, QLocale::UnitedKingdom) << int(QPageSize::A4);
}

void TestPrinting::paperFollowsTheLocale() {
    QFETCH(QLocale, locale);
    QFETCH(int, paper);
    QCOMPARE(int(PaperNames::LocalePaper(locale).id()), paper);
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
