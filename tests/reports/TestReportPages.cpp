#include "ReportFixtures.h"
#include "platform/gui/RecordingSurface.h"
#include "reports/CreateReport.h"
#include "reports/DailyAppointmentsReport.h"
#include "reports/DailyPlanReport.h"
#include "reports/ReportText.h"
#include "support/TestMain.h"

#include <QObject>

#include <algorithm>
#include <memory>

using fixtures::selection;
using platform::DeviceMetrics;
using platform::RecordingSurface;

namespace {

std::unique_ptr<Report> build(RecordingSurface& surface, const ReportSelection& s, PageMargins margins = {},
                              ReportFont font = {}) {
    return CreateReport(&surface, s, margins, font);
}

// Rows that fit on one page of a daily report: under the title line, a blank line and the heads,
// each one line high, with the bottom of the last at or above the footer line.
int rowsPerPage(const Report& report) {
    const platform::Rect r = report.GetPrintRect();
    const int lh = report.LineHeight();
    return (r.bottom - lh - (r.top + 3 * lh)) / lh;
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

// Where each text went, in drawing order.
QStringList placed(const RecordingSurface& surface) {
    QStringList result;
    for (const auto& call : surface.texts())
        result << QStringLiteral("%1@%2,%3").arg(call.text).arg(call.x).arg(call.y);
    return result;
}

QString place(const char* text, int x, int y) {
    return QStringLiteral("%1@%2,%3").arg(QString::fromUtf8(text)).arg(x).arg(y);
}

} // namespace

class TestReportPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marginsMeasureFromThePaperEdge();
    void titleFooterAndFrameOnEveryPage_data();
    void titleFooterAndFrameOnEveryPage();
    void paginationFillsPagesExactly_data();
    void paginationFillsPagesExactly();
    void rowsNeverReachTheFooter();
    void dailyPlanCountsBothLists();
    void narrowPaperPrintsEightPointType_data();
    void narrowPaperPrintsEightPointType();
    void appointmentRows();
    void endColumnStaysInsideWideMargins();
    void taskRows();
    void priorityWords_data();
    void priorityWords();
    void dailyPlanRows();
    void pageLeavesSurfaceAsFound();
    void timesFollowTheLocale_data();
    void timesFollowTheLocale();
};

void TestReportPages::marginsMeasureFromThePaperEdge() {
    RecordingSurface surface; // 8.5 x 11 inches, a quarter-inch unprintable edge
    auto report = build(surface, selection(ReportKind::DailyTasks, 0, 1), {1000, 1000, 1000, 1000});
    const platform::Rect r = report->GetPrintRect();
    QCOMPARE(r, (platform::Rect{450, 450, 5100 - 600 - 150, 6600 - 600 - 150})); // left: 0.75 x LOGPIXELSX
    QCOMPARE(report->Col1X(), r.left + report->CharWidth());
    QCOMPARE(report->Col2X(), report->Col1X() + r.width() / 2);

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
    const platform::Rect r = report->GetPrintRect();
    const int lh = report->LineHeight();
    const int boldChar = RecordingSurface::metricsOf(report->BoldFont()).averageCharWidth;
    const int inch = 600;
    const platform::Pen pen;
    std::vector<RecordingSurface::LineCall> frame = {
        {r.left, r.top, r.left, r.bottom, pen},           {r.right, r.top, r.right, r.bottom, pen},
        {r.left, r.top, r.left + inch, r.top, pen},       {r.right, r.top, r.right - inch, r.top, pen},
        {r.left, r.bottom, r.left + inch, r.bottom, pen}, {r.right, r.bottom, r.right - inch, r.bottom, pen},
    };
    if (ReportKind(kind) == ReportKind::DailyPlan)
        frame.push_back({report->Col2X(), r.top + 2 * lh, report->Col2X(), r.bottom - lh, pen});

    for (int page = 0; page < 3; ++page) {
        surface.clear();
        report->PrintPage(&surface, page);
        const QString footer = QStringLiteral("Page %1").arg(page + 1);
        const auto* titleCall = surface.findText(title);
        const auto* footerCall = surface.findText(footer);
        QVERIFY(titleCall && footerCall);
        QCOMPARE(at(surface, title), QPoint(r.left + (r.width() - int(title.size()) * boldChar) / 2, r.top));
        QCOMPARE(at(surface, footer), QPoint(r.left + (r.width() - int(footer.size()) * boldChar) / 2, r.bottom - lh));
        QCOMPARE(titleCall->font, report->BoldFont());
        QCOMPARE(footerCall->font, report->BoldFont());
        QCOMPARE(surface.lines(), frame);
    }
}

void TestReportPages::paginationFillsPagesExactly_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("fullPages"); // rows: this many pages' worth, plus extraRows
    QTest::addColumn<int>("extraRows");
    for (int kind : {int(ReportKind::DailyAppointments), int(ReportKind::DailyTasks)}) {
        const char* name = kind == int(ReportKind::DailyTasks) ? "tasks" : "appointments";
        QTest::addRow("%s, one row", name) << kind << 0 << 1;
        QTest::addRow("%s, one page exactly", name) << kind << 1 << 0;
        QTest::addRow("%s, one row more", name) << kind << 1 << 1;
        QTest::addRow("%s, two pages exactly", name) << kind << 2 << 0;
    }
}

void TestReportPages::paginationFillsPagesExactly() {
    QFETCH(int, kind);
    QFETCH(int, fullPages);
    QFETCH(int, extraRows);
    RecordingSurface surface;
    const int perPage = rowsPerPage(*build(surface, selection(ReportKind::DailyTasks, 0, 1)));
    QVERIFY(perPage > 10);
    const int rows = fullPages * perPage + extraRows;
    const int pages = fullPages + (extraRows > 0 ? 1 : 0);
    const bool isTasks = ReportKind(kind) == ReportKind::DailyTasks;
    auto report = build(surface, selection(ReportKind(kind), isTasks ? 0 : rows, isTasks ? rows : 0));
    QCOMPARE(report->GetPageCount(), pages);

    // The last row sits on the last page, as far down as the rows before it on that page push it.
    surface.clear();
    report->PrintPage(&surface, pages - 1);
    const QString lastText = QString::fromLatin1(isTasks ? "Task %1" : "Meeting %1").arg(rows);
    const int onLastPage = rows - (pages - 1) * perPage;
    QCOMPARE(at(surface, lastText).y(), report->GetPrintRect().top + (2 + onLastPage) * report->LineHeight());
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
    const int perPage = rowsPerPage(*build(surface, selection(ReportKind::DailyPlan, 1, 0)));
    auto report = build(surface, selection(ReportKind::DailyPlan, 60, 5));
    auto* plan = dynamic_cast<DailyPlanReport*>(report.get());
    QVERIFY(plan);
    QCOMPARE(plan->AppointmentPageCount(), (60 + perPage - 1) / perPage);
    QCOMPARE(plan->TaskPageCount(), 1);
    QCOMPARE(plan->GetPageCount(), plan->AppointmentPageCount());
    QVERIFY(plan->GetPageCount() > 1);

    // A page past the tasks: appointment rows and both sets of heads, no task rows.
    surface.clear();
    plan->PrintPage(&surface, 1);
    QVERIFY(surface.findText(QStringLiteral("PRIORITY")));
    QVERIFY(surface.findText(QStringLiteral("Meeting %1").arg(perPage + 1)));
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
    const platform::Rect r = report->GetPrintRect();
    const int lh = report->LineHeight();
    const int heads = r.top + 2 * lh;
    const int start = report->Col1X();
    const int end = dynamic_cast<DailyAppointmentsReport&>(*report).Columns().columns[1].x;
    const int text = report->Col2X();

    // After the title and the footer: the heads, then start, end and description of each row.
    QCOMPARE(placed(surface).mid(2),
             (QStringList{place("START", start, heads), place("END", end, heads), place("APPOINTMENT", text, heads),
                          place("9:15 AM", start, heads + lh), place("10:00 AM", end, heads + lh),
                          place("Meeting 2", text, heads + lh), place("2:15 PM", start, heads + 2 * lh),
                          place("", end, heads + 2 * lh), place("Caf\xc3\xa9 with Bob", text, heads + 2 * lh)}));
    const auto& meeting = surface.texts()[7];
    QCOMPARE(surface.texts()[4].font, report->BoldFont());
    QCOMPARE(meeting.font, report->NormalFont());
    QCOMPARE(meeting.kind, RecordingSurface::TextKind::Point);
    QCOMPARE(r.right - report->CharWidth() / 2,
             dynamic_cast<DailyAppointmentsReport&>(*report).Columns().columns[2].right);
}

void TestReportPages::endColumnStaysInsideWideMargins() {
    // With a wide left margin the END column still follows START inside the frame.
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind::DailyAppointments, 1, 0), {2500, 1000, 500, 1000});
    report->PrintPage(&surface, 0);
    const platform::Rect r = report->GetPrintRect();
    const QPoint end = at(surface, QStringLiteral("END"));
    QCOMPARE(end.x(), r.left + r.width() / 4 + report->CharWidth());
    QVERIFY(end.x() >
            at(surface, QStringLiteral("START")).x() + surface.textExtent(QStringLiteral("12:00 PM")).width());
    QVERIFY(end.x() < at(surface, QStringLiteral("APPOINTMENT")).x());
}

void TestReportPages::taskRows() {
    RecordingSurface surface;
    ReportSelection s;
    s.Kind = ReportKind::DailyTasks;
    s.Tasks = {fixtures::task(1)};
    s.Tasks[0].Description = std::string(300, 'x');
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const int lh = report->LineHeight();
    const int heads = report->GetPrintRect().top + 2 * lh;
    const int dueX = report->Col2X() + (report->Col2X() - report->Col1X()) / 2;
    // The description is shortened to end half a character before the PRIORITY column.
    const int room = report->Col2X() - report->CharWidth() / 2 - report->Col1X();
    const QString shortened = QString(room / report->CharWidth() - 1, QLatin1Char('x')) + QStringLiteral("\u2026");
    QCOMPARE(placed(surface).mid(2),
             (QStringList{place("TASK", report->Col1X(), heads), place("PRIORITY", report->Col2X(), heads),
                          place("DUE DATE", dueX, heads), place(qPrintable(shortened), report->Col1X(), heads + lh),
                          place("Medium", report->Col2X(), heads + lh), place("5/10/03", dueX, heads + lh)}));
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
    QCOMPARE(description[1].x, report->Col2X());
    QCOMPARE(description[1].text, word);
}

void TestReportPages::dailyPlanRows() {
    RecordingSurface surface;
    ReportSelection s = selection(ReportKind::DailyPlan, 1, 0);
    s.Tasks = {fixtures::task(4), fixtures::task(2)}; // High, then Low
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const platform::Rect r = report->GetPrintRect();
    const int lh = report->LineHeight();
    const int q = r.width() / 4;
    const int a0 = r.left + report->CharWidth() / 2;
    const int t0 = report->Col2X() + report->CharWidth() / 2;
    const int heads = r.top + 2 * lh;
    QCOMPARE(at(surface, QStringLiteral("START")), QPoint(a0, heads));
    QCOMPARE(at(surface, QStringLiteral("END")), QPoint(a0 + q / 2, heads));
    QCOMPARE(at(surface, QStringLiteral("APPOINTMENT")), QPoint(a0 + q, heads));
    QCOMPARE(at(surface, QStringLiteral("TASK")), QPoint(t0, heads));
    QCOMPARE(at(surface, QStringLiteral("PRIORITY")), QPoint(t0 + q, heads));
    QCOMPARE(at(surface, QStringLiteral("DUE DATE")), QPoint(t0 + q + q / 2, heads));
    QCOMPARE(at(surface, QStringLiteral("8:15 AM")), QPoint(a0, heads + lh));
    QCOMPARE(at(surface, QStringLiteral("9:00 AM")), QPoint(a0 + q / 2, heads + lh));
    QCOMPARE(at(surface, QStringLiteral("Meeting 1")), QPoint(a0 + q, heads + lh));
    // The task rows start under their own heads again.
    QCOMPARE(at(surface, QStringLiteral("Task 4")), QPoint(t0, heads + lh));
    QCOMPARE(at(surface, QStringLiteral("High")), QPoint(t0 + q, heads + lh));
    QCOMPARE(at(surface, QStringLiteral("Low")), QPoint(t0 + q, heads + 2 * lh));
    QCOMPARE(at(surface, QStringLiteral("5/10/03")), QPoint(t0 + q + q / 2, heads + lh));
}

void TestReportPages::pageLeavesSurfaceAsFound() {
    RecordingSurface layout;
    auto report = build(layout, selection(ReportKind::DailyPlan, 10, 10));
    RecordingSurface page;
    const platform::Font before{QStringLiteral("Courier"), -50, 400};
    page.selectFont(before);
    report->PrintPage(&page, 0);
    QCOMPARE(page.currentFont(), before);
    QCOMPARE(page.saveDepth(), 0);
    // The page surface stays the caller's; the report measures on its own surface again.
    QCOMPARE(report->GetDC(), static_cast<platform::DrawSurface*>(&layout));
    // A page past the end draws the frame and heads only.
    page.clear();
    report->PrintPage(&page, 5);
    QVERIFY(page.findText(QStringLiteral("Page 6")));
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
