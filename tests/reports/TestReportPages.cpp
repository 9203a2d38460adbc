#include "ReportFixtures.h"
#include "platform/gui/RecordingSurface.h"
#include "reports/CreateReport.h"
#include "reports/DailyPlanReport.h"
#include "reports/ReportText.h"
#include "support/TestMain.h"

#include <QObject>

#include <algorithm>
#include <cstdlib>
#include <memory>

using fixtures::selection;
using platform::DeviceMetrics;
using platform::RecordingSurface;

namespace {

using namespace fixtures::letter;

// Rows of a daily report on one letter page at 10 points: from three lines below the top of the
// print rectangle down to the footer line.
constexpr int kRowsPerPage = 44;

std::unique_ptr<Report> build(RecordingSurface& surface, const ReportSelection& s, PageMargins margins = {},
                              ReportFont font = {}) {
    return CreateReport(&surface, s, margins, font);
}

DeviceMetrics paperInches(double width, double height) {
    DeviceMetrics m = RecordingSurface::letterAt600Dpi();
    m.physicalWidth = static_cast<int>(width * 600);
    m.physicalHeight = static_cast<int>(height * 600);
    return m;
}

QPoint at(const RecordingSurface& surface, const QString& text) {
    const auto* call = surface.findText(text);
    return call ? QPoint(call->x, call->y) : QPoint(-1, -1);
}

// The texts drawn, in drawing order.
QStringList textsOf(const RecordingSurface& surface) {
    QStringList result;
    for (const auto& call : surface.texts())
        result << call.text;
    return result;
}

int widthOf(const RecordingSurface::TextCall& call) {
    return static_cast<int>(call.text.size()) * RecordingSurface::metricsOf(call.font).averageCharWidth;
}

} // namespace

class TestReportPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marginsMeasureFromThePaperEdge();
    void titleFooterAndFrameOnEveryPage_data();
    void titleFooterAndFrameOnEveryPage();
    void pageCounts_data();
    void pageCounts();
    void rowsNeverReachTheFooter();
    void dailyPlanCountsBothLists();
    void narrowPaperPrintsEightPointType_data();
    void narrowPaperPrintsEightPointType();
    void appointmentRows();
    void endColumnStaysInsideWideMargins();
    void longDescriptionEndsBeforeThePriority();
    void priorityWords_data();
    void priorityWords();
    void dailyPlanHalves();
    void pageLeavesSurfaceAsFound();
    void timesFollowTheLocale_data();
    void timesFollowTheLocale();
};

void TestReportPages::marginsMeasureFromThePaperEdge() {
    RecordingSurface surface; // 8.5 x 11 inches, a quarter-inch unprintable edge
    auto report = build(surface, selection(ReportKind::DailyTasks, 0, 1), {1000, 1000, 1000, 1000});
    // One inch from the paper's edge is three quarters of an inch from the printable corner.
    QCOMPARE(report->GetPrintRect(), (platform::Rect{kLeft, kTop, kRight, kBottom}));
    report->SetMargins({500, 250, 1500, 2000});
    QCOMPARE(report->GetPrintRect(), (platform::Rect{150, 0, 5100 - 900 - 150, 6600 - 1200 - 150}));
}

void TestReportPages::titleFooterAndFrameOnEveryPage_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("appointments") << int(ReportKind::DailyAppointments) << "DAILY APPOINTMENTS";
    QTest::newRow("tasks") << int(ReportKind::DailyTasks) << "DAILY TASKS";
    QTest::newRow("plan") << int(ReportKind::DailyPlan) << "DAILY PLAN";
}

void TestReportPages::titleFooterAndFrameOnEveryPage() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind(kind), 120, 120));
    QCOMPARE(report->GetPageCount(), 3);
    const platform::Pen pen;
    // The sides, and an inch-long stroke from each corner toward the middle.
    std::vector<RecordingSurface::LineCall> frame = {
        {kLeft, kTop, kLeft, kBottom, pen},          {kRight, kTop, kRight, kBottom, pen},
        {kLeft, kTop, kLeft + 600, kTop, pen},       {kRight, kTop, kRight - 600, kTop, pen},
        {kLeft, kBottom, kLeft + 600, kBottom, pen}, {kRight, kBottom, kRight - 600, kBottom, pen},
    };
    if (ReportKind(kind) == ReportKind::DailyPlan) // and one between the halves, below the title
        frame.push_back({report->Col2X(), kTop + 2 * kLine, report->Col2X(), kBottom - kLine, pen});

    for (int page = 0; page < 3; ++page) {
        surface.clear();
        report->PrintPage(&surface, page);
        const QString footer = QStringLiteral("Page %1").arg(page + 1);
        for (const QString& text : {title, footer}) {
            const auto* call = surface.findText(text);
            QVERIFY2(call, qPrintable(text));
            QCOMPARE(call->font, report->BoldFont());
            // Centred: as much room on its left as on its right, to a device unit.
            QVERIFY(std::abs((call->x - kLeft) - (kRight - call->x - widthOf(*call))) <= 1);
        }
        QCOMPARE(surface.findText(title)->y, kTop);
        QCOMPARE(surface.findText(footer)->y, kBottom - kLine);
        QCOMPARE(surface.lines(), frame);
    }
}

void TestReportPages::pageCounts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    for (int kind : {int(ReportKind::DailyAppointments), int(ReportKind::DailyTasks)}) {
        const char* name = kind == int(ReportKind::DailyTasks) ? "tasks" : "appointments";
        QTest::addRow("%s, one row", name) << kind << 1 << 1;
        QTest::addRow("%s, one page exactly", name) << kind << kRowsPerPage << 1;
        QTest::addRow("%s, one row more", name) << kind << kRowsPerPage + 1 << 2;
        QTest::addRow("%s, two pages exactly", name) << kind << 2 * kRowsPerPage << 2;
        QTest::addRow("%s, none", name) << kind << 0 << 0;
    }
}

void TestReportPages::pageCounts() {
    QFETCH(int, kind);
    QFETCH(int, rows);
    QFETCH(int, pages);
    RecordingSurface surface;
    const bool isTasks = ReportKind(kind) == ReportKind::DailyTasks;
    auto report = build(surface, selection(ReportKind(kind), isTasks ? 0 : rows, isTasks ? rows : 0));
    QCOMPARE(report->GetPageCount(), pages);
    if (rows == 0)
        return;

    // Every row is printed once, in order, the last on the last page.
    QStringList printed;
    for (int page = 0; page < pages; ++page) {
        surface.clear();
        report->PrintPage(&surface, page);
        for (const QString& text : textsOf(surface))
            if (text.startsWith(QLatin1String(isTasks ? "Task " : "Meeting ")))
                printed << text;
    }
    QCOMPARE(printed.size(), rows);
    QCOMPARE(printed.last(), QString::fromLatin1(isTasks ? "Task %1" : "Meeting %1").arg(rows));
    QVERIFY(surface.findText(printed.last()));
}

void TestReportPages::rowsNeverReachTheFooter() {
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind::DailyPlan, 200, 150));
    const int lh = report->LineHeight();
    const int footerTop = report->GetPrintRect().bottom - lh;
    for (int page = 0; page < report->GetPageCount(); ++page) {
        surface.clear();
        report->PrintPage(&surface, page);
        for (const auto& text : surface.texts()) {
            if (text.text.startsWith(QLatin1String("Page ")))
                continue;
            QVERIFY2(text.y + lh <= footerTop, qPrintable(text.text));
        }
    }
}

void TestReportPages::dailyPlanCountsBothLists() {
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind::DailyPlan, 60, 5));
    auto* plan = dynamic_cast<DailyPlanReport*>(report.get());
    QVERIFY(plan);
    QCOMPARE(plan->AppointmentPageCount(), 2);
    QCOMPARE(plan->TaskPageCount(), 1);
    QCOMPARE(plan->GetPageCount(), 2);

    // A page past the tasks: appointment rows and both sets of heads, no task rows.
    surface.clear();
    plan->PrintPage(&surface, 1);
    QVERIFY(surface.findText(QStringLiteral("PRIORITY")));
    QVERIFY(surface.findText(QStringLiteral("Meeting %1").arg(kRowsPerPage + 1)));
    QVERIFY(surface.findText(QStringLiteral("Meeting 60")));
    for (const auto& text : surface.texts())
        QVERIFY2(!text.text.startsWith(QLatin1String("Task ")), qPrintable(text.text));
}

void TestReportPages::narrowPaperPrintsEightPointType_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("height"); // of the type at 600 dpi
    QTest::newRow("4-inch card") << 4.0 << 8 << 66;
    QTest::newRow("just under 7 inches") << 6.99 << 8 << 66;
    QTest::newRow("7 inches") << 7.0 << 14 << 116;
    QTest::newRow("letter") << 8.5 << 14 << 116;
}

void TestReportPages::narrowPaperPrintsEightPointType() {
    QFETCH(double, width);
    QFETCH(int, pointSize);
    QFETCH(int, height);
    RecordingSurface surface(paperInches(width, 9.5));
    for (ReportKind kind : {ReportKind::DailyAppointments, ReportKind::DailyTasks, ReportKind::DailyPlan}) {
        auto report = build(surface, selection(kind, 5, 5), {250, 250, 250, 250}, {QStringLiteral("Arial"), 14});
        const int pagesBefore = report->GetPageCount();
        surface.clear();
        report->PrintPage(&surface, 0);
        QCOMPARE(report->PointSize(), pointSize);
        QCOMPARE(surface.texts().back().font, (platform::Font{QStringLiteral("Arial"), -height, 400}));
        // Already in small type when built, so the count does not change under the preview.
        QCOMPARE(report->GetPageCount(), pagesBefore);
    }
}

void TestReportPages::appointmentRows() {
    RecordingSurface surface;
    ReportSelection s;
    s.Kind = ReportKind::DailyAppointments;
    s.Appointments = {fixtures::appointment(2), fixtures::appointment(7)};
    s.Appointments[1].Description = "Caf\xc3\xa9 with Bob";
    s.Appointments[1].EndTime = DateTime(); // invalid: prints as nothing
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);

    // After the title and the footer: the heads, then start, end and description of each row, a
    // line apart.
    QCOMPARE(textsOf(surface).mid(2), (QStringList{"START", "END", "APPOINTMENT", "9:15 AM", "10:00 AM", "Meeting 2",
                                                   "2:15 PM", "", "Caf\xc3\xa9 with Bob"}));
    const auto& texts = surface.texts();
    for (int column = 0; column < 3; ++column) {
        const auto& head = texts[2 + column];
        QCOMPARE(head.font, report->BoldFont());
        QCOMPARE(texts[5 + column].font, report->NormalFont());
        QCOMPARE(texts[5 + column].x, head.x); // under its head
        QCOMPARE(texts[5 + column].y, head.y + kLine);
        QCOMPARE(texts[8 + column].y, head.y + 2 * kLine);
    }
    QCOMPARE(texts[7].kind, RecordingSurface::TextKind::Point);
}

void TestReportPages::endColumnStaysInsideWideMargins() {
    // With a wide left margin the END column still follows START inside the frame.
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind::DailyAppointments, 1, 0), {2500, 1000, 500, 1000});
    report->PrintPage(&surface, 0);
    const QPoint end = at(surface, QStringLiteral("END"));
    QVERIFY(end.x() >
            at(surface, QStringLiteral("START")).x() + surface.textExtent(QStringLiteral("12:00 PM")).width());
    QVERIFY(end.x() < at(surface, QStringLiteral("APPOINTMENT")).x());
}

void TestReportPages::longDescriptionEndsBeforeThePriority() {
    RecordingSurface surface;
    ReportSelection s;
    s.Kind = ReportKind::DailyTasks;
    s.Tasks = {fixtures::task(1)};
    s.Tasks[0].Description = std::string(300, 'x');
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const auto& texts = surface.texts();
    const auto description = std::find_if(texts.begin(), texts.end(),
                                          [](const auto& call) { return call.text.startsWith(QLatin1String("xxx")); });
    QVERIFY(description != texts.end() && description + 2 < texts.end());
    // Shortened with an ellipsis, and clear of the priority word by at least a space.
    QVERIFY(description->text.endsWith(QStringLiteral("x\u2026")));
    QCOMPARE(description[1].text, QStringLiteral("Medium"));
    QVERIFY(description->x + widthOf(*description) + kChar / 2 <= description[1].x);
    QCOMPARE(description[1].x, at(surface, QStringLiteral("PRIORITY")).x());
    QCOMPARE(description[2].text, QStringLiteral("5/10/03"));
    QCOMPARE(description[2].x, at(surface, QStringLiteral("DUE DATE")).x());
}

void TestReportPages::priorityWords_data() {
    QTest::addColumn<int>("priority");
    QTest::addColumn<QString>("word");
    QTest::newRow("high") << 0 << "High";
    QTest::newRow("low") << 2 << "Low";
    QTest::newRow("done") << 3 << "Done";
    QTest::newRow("damaged, too large") << 4 << "";
    QTest::newRow("damaged, huge") << 1000000 << "";
    QTest::newRow("damaged, negative") << -1 << "";
}

void TestReportPages::priorityWords() {
    QFETCH(int, priority);
    QFETCH(QString, word);
    RecordingSurface surface;
    ReportSelection s = selection(ReportKind::DailyTasks, 0, 1);
    s.Tasks[0].Priority = priority;
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const auto& texts = surface.texts();
    const auto description =
        std::find_if(texts.begin(), texts.end(), [](const auto& call) { return call.text == QLatin1String("Task 1"); });
    QVERIFY(description != texts.end() && description + 1 != texts.end());
    QCOMPARE(description[1].x, at(surface, QStringLiteral("PRIORITY")).x());
    QCOMPARE(description[1].text, word);
}

void TestReportPages::dailyPlanHalves() {
    RecordingSurface surface;
    ReportSelection s = selection(ReportKind::DailyPlan, 1, 0);
    s.Tasks = {fixtures::task(4), fixtures::task(2)}; // High, then Low
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const int middle = report->Col2X();
    const int heads = kTop + 2 * kLine;
    // The appointments' heads and row in the left half, the tasks' in the right; both lists start
    // on the line under the heads.
    for (const char* text : {"START", "END", "APPOINTMENT"}) {
        QCOMPARE(at(surface, QLatin1String(text)).y(), heads);
        QVERIFY2(at(surface, QLatin1String(text)).x() < middle, text);
    }
    for (const char* text : {"TASK", "PRIORITY", "DUE DATE"}) {
        QCOMPARE(at(surface, QLatin1String(text)).y(), heads);
        QVERIFY2(at(surface, QLatin1String(text)).x() > middle, text);
    }
    QCOMPARE(at(surface, QStringLiteral("8:15 AM")), QPoint(at(surface, QStringLiteral("START")).x(), heads + kLine));
    QCOMPARE(at(surface, QStringLiteral("9:00 AM")), QPoint(at(surface, QStringLiteral("END")).x(), heads + kLine));
    QCOMPARE(at(surface, QStringLiteral("Meeting 1")),
             QPoint(at(surface, QStringLiteral("APPOINTMENT")).x(), heads + kLine));
    QCOMPARE(at(surface, QStringLiteral("Task 4")), QPoint(at(surface, QStringLiteral("TASK")).x(), heads + kLine));
    QCOMPARE(at(surface, QStringLiteral("High")), QPoint(at(surface, QStringLiteral("PRIORITY")).x(), heads + kLine));
    QCOMPARE(at(surface, QStringLiteral("Low")),
             QPoint(at(surface, QStringLiteral("PRIORITY")).x(), heads + 2 * kLine));
    QCOMPARE(at(surface, QStringLiteral("5/10/03")),
             QPoint(at(surface, QStringLiteral("DUE DATE")).x(), heads + kLine));
}

void TestReportPages::pageLeavesSurfaceAsFound() {
    RecordingSurface layout;
    auto report = build(layout, selection(ReportKind::DailyPlan, 10, 10));
    const platform::Font before{QStringLiteral("Courier"), -50, 400};
    {
        RecordingSurface page;
        page.selectFont(before);
        report->PrintPage(&page, 0);
        QCOMPARE(page.currentFont(), before);
        QCOMPARE(page.currentPen(), platform::Pen{});
        QCOMPARE(page.saveDepth(), 0);
    }
    // The page surface stays the caller's: it may be gone while the report is laid out again and
    // another page is drawn.
    report->SetPointSize(12);
    RecordingSurface page;
    page.selectFont(before);
    report->PrintPage(&page, 0);
    QCOMPARE(page.currentFont(), before);
    QVERIFY(page.findText(QStringLiteral("Meeting 1")));
    // A page past the end draws the frame and heads only.
    page.clear();
    report->PrintPage(&page, 5);
    QVERIFY(page.findText(QStringLiteral("Page 6")));
    QVERIFY(page.findText(QStringLiteral("PRIORITY")));
    QVERIFY(!page.findText(QStringLiteral("Meeting 1")));
}

void TestReportPages::timesFollowTheLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("hour");
    QTest::addColumn<QString>("shown");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("afternoon, AM/PM") << us << 13 << "1:05 PM";
    QTest::newRow("midnight, AM/PM") << us << 0 << "12:05 AM";
    QTest::newRow("afternoon, 24-hour") << german << 13 << "13:05";
    QTest::newRow("morning, 24-hour") << german << 9 << "09:05";
}

void TestReportPages::timesFollowTheLocale() {
    QFETCH(QLocale, locale);
    QFETCH(int, hour);
    QFETCH(QString, shown);
    const QLocale before;
    QLocale::setDefault(locale);
    const QString time = ReportText::Time(DateTime(2003, 5, 10, hour, 5, 0));
    QLocale::setDefault(before);
    QCOMPARE(time, shown);
}

TAVORO_TEST_MAIN(TestReportPages)
#include "TestReportPages.moc"
