#include "platform/gui/RecordingSurface.h"
#include "reports/CreateReport.h"
#include "reports/DailyAppointmentsReport.h"
#include "reports/DailyPlanReport.h"
#include "reports/DailyTasksReport.h"
#include "support/TestMain.h"

#include <QObject>

#include <memory>

using platform::DeviceMetrics;
using platform::RecordingSurface;

namespace {

Appointment appointment(int hour, const std::string& description) {
    Appointment a;
    a.Description = description;
    a.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
    a.StartTime = DateTime(2003, 5, 10, hour % 24, 30, 0);
    a.EndTime = DateTime(2003, 5, 10, (hour + 1) % 24, 0, 0);
    return a;
}

Task task(int priority, const std::string& description) {
    Task t;
    t.Description = description;
    t.Priority = priority;
    t.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
    return t;
}

std::vector<Appointment> appointments(int count) {
    std::vector<Appointment> list;
    for (int i = 0; i < count; ++i)
        list.push_back(appointment(7 + i % 12, "Meeting " + std::to_string(i + 1)));
    return list;
}

std::vector<Task> tasks(int count) {
    std::vector<Task> list;
    for (int i = 0; i < count; ++i)
        list.push_back(task(i % 4, "Task " + std::to_string(i + 1)));
    return list;
}

ReportSelection selection(ReportKind kind, int appointmentCount, int taskCount) {
    ReportSelection s;
    s.Kind = kind;
    s.Appointments = appointments(appointmentCount);
    s.Tasks = tasks(taskCount);
    return s;
}

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

} // namespace

class TestReportPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void constructionUsesTenPointTimes();
    void marginsMeasureFromThePaperEdge();
    void titleIsCentredInBold_data();
    void titleIsCentredInBold();
    void footerNumbersEachPage();
    void frameStrokes_data();
    void frameStrokes();
    void paginationFillsPagesExactly_data();
    void paginationFillsPagesExactly();
    void rowsNeverReachTheFooter();
    void emptyListsHaveNoPages();
    void dailyPlanCountsBothLists();
    void narrowPaperPrintsEightPointType_data();
    void narrowPaperPrintsEightPointType();
    void largerTypeNeedsMorePages();
    void appointmentRows();
    void endColumnStaysInsideWideMargins();
    void taskRows();
    void priorityWords_data();
    void priorityWords();
    void dailyPlanRows();
    void pageLeavesSurfaceAsFound();
};

void TestReportPages::constructionUsesTenPointTimes() {
    RecordingSurface surface;
    DailyTasksReport report(&surface, tasks(1));
    QCOMPARE(report.FaceName(), QStringLiteral("Times New Roman"));
    QCOMPARE(report.PointSize(), 10);
    // 10 points at 600 pixels per inch: 83.3 pixels, rounded.
    QCOMPARE(report.NormalFont(), (platform::Font{QStringLiteral("Times New Roman"), -83, 400}));
    QCOMPARE(report.BoldFont(), (platform::Font{QStringLiteral("Times New Roman"), -83, 700}));
    const platform::TextMetrics m = RecordingSurface::metricsOf(report.NormalFont());
    QCOMPARE(report.LineHeight(), m.height + m.externalLeading);
    QCOMPARE(report.CharWidth(), m.averageCharWidth);
    QCOMPARE(report.GetPageCount(), 0);
    QCOMPARE(surface.currentFont(), platform::Font());
}

void TestReportPages::marginsMeasureFromThePaperEdge() {
    RecordingSurface surface; // 8.5 x 11 inches, a quarter-inch unprintable edge
    DailyTasksReport report(&surface, tasks(1));
    report.SetMargins({1000, 1000, 1000, 1000});
    const platform::Rect r = report.GetPrintRect();
    QCOMPARE(r.left, 450); // 0.75 x LOGPIXELSX
    QCOMPARE(r.top, 450);
    QCOMPARE(r.right, 5100 - 600 - 150);
    QCOMPARE(r.bottom, 6600 - 600 - 150);
    QCOMPARE(report.Col1X(), r.left + report.CharWidth());
    QCOMPARE(report.Col2X(), report.Col1X() + r.width() / 2);
    QCOMPARE(report.GetPageCount(), 1);

    report.SetMargins({500, 250, 1500, 2000});
    QCOMPARE(report.GetPrintRect(), (platform::Rect{150, 0, 5100 - 900 - 150, 6600 - 1200 - 150}));
}

void TestReportPages::titleIsCentredInBold_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("appointments") << int(ReportKind::DailyAppointments) << "DAILY APPOINTMENTS";
    QTest::newRow("tasks") << int(ReportKind::DailyTasks) << "DAILY TASKS";
    QTest::newRow("plan") << int(ReportKind::DailyPlan) << "DAILY PLAN";
}

void TestReportPages::titleIsCentredInBold() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind(kind), 3, 3));
    report->PrintPage(&surface, 0);
    const auto* text = surface.findText(title);
    QVERIFY(text);
    const platform::Rect r = report->GetPrintRect();
    const int width = int(title.size()) * RecordingSurface::metricsOf(report->BoldFont()).averageCharWidth;
    QCOMPARE(text->x, r.left + (r.width() - width) / 2);
    QCOMPARE(text->y, r.top);
    QCOMPARE(text->font, report->BoldFont());
}

void TestReportPages::footerNumbersEachPage() {
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind::DailyAppointments, 120, 0));
    QCOMPARE(report->GetPageCount(), 3);
    const platform::Rect r = report->GetPrintRect();
    for (int page = 0; page < 3; ++page) {
        surface.clear();
        report->PrintPage(&surface, page);
        const QString footer = QStringLiteral("Page %1").arg(page + 1);
        const auto* text = surface.findText(footer);
        QVERIFY2(text, qPrintable(footer));
        const int width = int(footer.size()) * RecordingSurface::metricsOf(report->BoldFont()).averageCharWidth;
        QCOMPARE(text->x, r.left + (r.width() - width) / 2);
        QCOMPARE(text->y, r.bottom - report->LineHeight());
        QCOMPARE(text->font, report->BoldFont());
    }
}

void TestReportPages::frameStrokes_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("appointments") << int(ReportKind::DailyAppointments);
    QTest::newRow("tasks") << int(ReportKind::DailyTasks);
    QTest::newRow("plan") << int(ReportKind::DailyPlan);
}

void TestReportPages::frameStrokes() {
    QFETCH(int, kind);
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind(kind), 2, 2));
    report->PrintPage(&surface, 0);
    const platform::Rect r = report->GetPrintRect();
    const int inch = 600;
    const platform::Pen pen;
    std::vector<RecordingSurface::LineCall> expected = {
        {r.left, r.top, r.left, r.bottom, pen},           {r.right, r.top, r.right, r.bottom, pen},
        {r.left, r.top, r.left + inch, r.top, pen},       {r.right, r.top, r.right - inch, r.top, pen},
        {r.left, r.bottom, r.left + inch, r.bottom, pen}, {r.right, r.bottom, r.right - inch, r.bottom, pen},
    };
    if (ReportKind(kind) == ReportKind::DailyPlan) {
        const int lh = report->LineHeight();
        expected.push_back({report->Col2X(), r.top + 2 * lh, report->Col2X(), r.bottom - lh, pen});
    }
    QCOMPARE(surface.lines(), expected);
}

void TestReportPages::paginationFillsPagesExactly_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("extraRows");
    QTest::addColumn<int>("pages");
    for (int kind : {int(ReportKind::DailyAppointments), int(ReportKind::DailyTasks)}) {
        const char* name = kind == int(ReportKind::DailyTasks) ? "tasks" : "appointments";
        QTest::addRow("%s, one row", name) << kind << -1000 << 1;
        QTest::addRow("%s, one page exactly", name) << kind << 0 << 1;
        QTest::addRow("%s, one row more", name) << kind << 1 << 2;
        QTest::addRow("%s, two pages exactly", name) << kind << 1000 << 2;
    }
}

void TestReportPages::paginationFillsPagesExactly() {
    QFETCH(int, kind);
    QFETCH(int, extraRows);
    QFETCH(int, pages);
    RecordingSurface surface;
    auto probe = build(surface, selection(ReportKind::DailyTasks, 0, 1));
    const int perPage = rowsPerPage(*probe);
    QVERIFY(perPage > 10);
    // -1000 stands for a single row, 1000 for two full pages.
    const int rows = extraRows == -1000 ? 1 : extraRows == 1000 ? 2 * perPage : perPage + extraRows;
    const bool isTasks = ReportKind(kind) == ReportKind::DailyTasks;
    auto report = build(surface, selection(ReportKind(kind), isTasks ? 0 : rows, isTasks ? rows : 0));
    QCOMPARE(report->GetPageCount(), pages);

    surface.clear();
    report->PrintPage(&surface, pages - 1);
    const int expectedLast = rows - (pages - 1) * perPage;
    const QString lastText = isTasks ? QStringLiteral("Task %1").arg(rows) : QStringLiteral("Meeting %1").arg(rows);
    const auto* last = surface.findText(lastText);
    QVERIFY(last);
    const platform::Rect r = report->GetPrintRect();
    QCOMPARE(last->y, r.top + 2 * report->LineHeight() + expectedLast * report->LineHeight());
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

void TestReportPages::emptyListsHaveNoPages() {
    RecordingSurface surface;
    for (ReportKind kind : {ReportKind::DailyAppointments, ReportKind::DailyTasks, ReportKind::DailyPlan}) {
        auto report = build(surface, selection(kind, 0, 0));
        QVERIFY(report);
        QCOMPARE(report->GetPageCount(), 0);
    }
    QVERIFY(!build(surface, selection(ReportKind::None, 3, 3)));
}

void TestReportPages::dailyPlanCountsBothLists() {
    RecordingSurface surface;
    auto probe = build(surface, selection(ReportKind::DailyPlan, 1, 0));
    const int perPage = rowsPerPage(*probe);

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
    QVERIFY(surface.findText(QStringLiteral("TASK")));
    QVERIFY(surface.findText(QStringLiteral("PRIORITY")));
    QVERIFY(surface.findText(QStringLiteral("Meeting %1").arg(perPage + 1)));
    for (const auto& text : surface.texts())
        QVERIFY2(!text.text.startsWith(QLatin1String("Task ")), qPrintable(text.text));

    auto tasksLonger = build(surface, selection(ReportKind::DailyPlan, 3, perPage * 2 + 1));
    QCOMPARE(tasksLonger->GetPageCount(), 3);
}

void TestReportPages::narrowPaperPrintsEightPointType_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("4-inch card") << 4.0 << 8;
    QTest::newRow("6 inches") << 6.0 << 8;
    QTest::newRow("just under 7 inches") << 6.99 << 8;
    QTest::newRow("7 inches") << 7.0 << 14;
    QTest::newRow("letter") << 8.5 << 14;
}

void TestReportPages::narrowPaperPrintsEightPointType() {
    QFETCH(double, width);
    QFETCH(int, pointSize);
    RecordingSurface surface(paperInches(width, 9.5));
    for (ReportKind kind : {ReportKind::DailyAppointments, ReportKind::DailyTasks, ReportKind::DailyPlan}) {
        auto report = build(surface, selection(kind, 5, 5), {250, 250, 250, 250}, {QStringLiteral("Arial"), 14});
        const int pagesBefore = report->GetPageCount();
        surface.clear();
        report->PrintPage(&surface, 0);
        QCOMPARE(report->PointSize(), pointSize);
        QCOMPARE(report->NormalFont().height, -(pointSize * 600 / 72));
        QCOMPARE(report->NormalFont().face, QStringLiteral("Arial"));
        QCOMPARE(surface.texts().back().font, report->NormalFont());
        // Already in small type when built, so the count does not change under the preview.
        QCOMPARE(report->GetPageCount(), pagesBefore);
    }
}

void TestReportPages::largerTypeNeedsMorePages() {
    RecordingSurface surface;
    auto ten = build(surface, selection(ReportKind::DailyTasks, 0, 100));
    auto fourteen =
        build(surface, selection(ReportKind::DailyTasks, 0, 100), {}, {QStringLiteral("Times New Roman"), 14});
    QVERIFY(fourteen->LineHeight() > ten->LineHeight());
    QVERIFY(fourteen->GetPageCount() > ten->GetPageCount());
}

void TestReportPages::appointmentRows() {
    RecordingSurface surface;
    ReportSelection s;
    s.Kind = ReportKind::DailyAppointments;
    s.Appointments = {appointment(9, "Dentist"), appointment(14, "Caf\xc3\xa9 with Bob")};
    s.Appointments[1].EndTime = DateTime(); // invalid: prints as nothing
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const platform::Rect r = report->GetPrintRect();
    const int lh = report->LineHeight();
    auto* appointments = dynamic_cast<DailyAppointmentsReport*>(report.get());
    const int endX = appointments->EndX();

    const auto& texts = surface.texts();
    // Title, footer, three heads, then per row start, end, description.
    QCOMPARE(int(texts.size()), 2 + 3 + 3 + 3);
    const int heads = r.top + 2 * lh;
    QCOMPARE(texts[2].text, QStringLiteral("START"));
    QCOMPARE((QPoint(texts[2].x, texts[2].y)), QPoint(report->Col1X(), heads));
    QCOMPARE(texts[3].text, QStringLiteral("END"));
    QCOMPARE((QPoint(texts[3].x, texts[3].y)), QPoint(endX, heads));
    QCOMPARE(texts[4].text, QStringLiteral("APPOINTMENT"));
    QCOMPARE((QPoint(texts[4].x, texts[4].y)), QPoint(report->Col2X(), heads));
    QCOMPARE(texts[4].font, report->BoldFont());

    QCOMPARE(texts[5].text, QStringLiteral("9:30 A"));
    QCOMPARE((QPoint(texts[5].x, texts[5].y)), QPoint(report->Col1X(), heads + lh));
    QCOMPARE(texts[5].font, report->NormalFont());
    QCOMPARE(texts[6].text, QStringLiteral("10:00 A"));
    QCOMPARE(texts[6].x, endX);
    QCOMPARE(texts[7].text, QStringLiteral("Dentist"));
    QCOMPARE(texts[7].kind, RecordingSurface::TextKind::Clipped);
    QCOMPARE(texts[7].rect, (platform::Rect{report->Col2X(), heads + lh, r.right, heads + 2 * lh}));
    QCOMPARE(texts[8].text, QStringLiteral("2:30 P"));
    QCOMPARE(texts[8].y, heads + 2 * lh);
    QCOMPARE(texts[9].text, QString());
    QCOMPARE(texts[10].text, QString::fromUtf8("Caf\xc3\xa9 with Bob"));
}

void TestReportPages::endColumnStaysInsideWideMargins() {
    // With a wide left margin the END column still follows START inside the frame.
    RecordingSurface surface;
    auto report = build(surface, selection(ReportKind::DailyAppointments, 1, 0), {2500, 1000, 500, 1000});
    report->PrintPage(&surface, 0);
    const auto* start = surface.findText(QStringLiteral("START"));
    const auto* end = surface.findText(QStringLiteral("END"));
    const auto* appointmentHead = surface.findText(QStringLiteral("APPOINTMENT"));
    QVERIFY(start && end && appointmentHead);
    const platform::Rect r = report->GetPrintRect();
    QCOMPARE(end->x, r.left + r.width() / 4 + report->CharWidth());
    QVERIFY(end->x > start->x + surface.textExtent(QStringLiteral("12:00 P")).width());
    QVERIFY(end->x < appointmentHead->x);
}

void TestReportPages::taskRows() {
    RecordingSurface surface;
    ReportSelection s;
    s.Kind = ReportKind::DailyTasks;
    s.Tasks = {task(1, std::string(300, 'x'))};
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const platform::Rect r = report->GetPrintRect();
    const int lh = report->LineHeight();
    const int heads = r.top + 2 * lh;
    const int dueX = report->Col2X() + (report->Col2X() - report->Col1X()) / 2;
    QCOMPARE(surface.findText(QStringLiteral("TASK"))->x, report->Col1X());
    QCOMPARE(surface.findText(QStringLiteral("PRIORITY"))->x, report->Col2X());
    QCOMPARE(surface.findText(QStringLiteral("DUE DATE"))->x, dueX);

    const auto* description = surface.findText(QString(300, QLatin1Char('x')));
    QVERIFY(description);
    QCOMPARE(description->kind, RecordingSurface::TextKind::Clipped);
    // Cut half a character before the PRIORITY column.
    QCOMPARE(description->rect,
             (platform::Rect{report->Col1X(), heads + lh, report->Col2X() - report->CharWidth() / 2, heads + 2 * lh}));
    const auto* priority = surface.findText(QStringLiteral("Medium"));
    QVERIFY(priority);
    QCOMPARE((QPoint(priority->x, priority->y)), QPoint(report->Col2X(), heads + lh));
    const auto* due = surface.findText(QStringLiteral("5/10/03"));
    QVERIFY(due);
    QCOMPARE((QPoint(due->x, due->y)), QPoint(dueX, heads + lh));
}

void TestReportPages::priorityWords_data() {
    QTest::addColumn<int>("priority");
    QTest::addColumn<QString>("word");
    QTest::newRow("high") << 0 << "High";
    QTest::newRow("medium") << 1 << "Medium";
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
    ReportSelection s;
    s.Kind = ReportKind::DailyTasks;
    s.Tasks = {task(priority, "Water the plants")};
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const auto* description = surface.findText(QStringLiteral("Water the plants"));
    QVERIFY(description);
    const auto& texts = surface.texts();
    const auto* next = description + 1;
    QVERIFY(next < texts.data() + texts.size());
    QCOMPARE(next->x, report->Col2X());
    QCOMPARE(next->text, word);
}

void TestReportPages::dailyPlanRows() {
    RecordingSurface surface;
    ReportSelection s;
    s.Kind = ReportKind::DailyPlan;
    s.Appointments = {appointment(8, "Standup")};
    s.Tasks = {task(0, "Send invoice"), task(2, "Book flights")};
    auto report = build(surface, s);
    report->PrintPage(&surface, 0);
    const platform::Rect r = report->GetPrintRect();
    const int lh = report->LineHeight();
    const int cw = report->CharWidth();
    const int q = r.width() / 4;
    const int a0 = r.left + cw / 2;
    const int t0 = report->Col2X() + cw / 2;
    const int heads = r.top + 2 * lh;
    const auto at = [&](const QString& text) {
        const auto* call = surface.findText(text);
        return call ? QPoint(call->x, call->y) : QPoint(-1, -1);
    };
    QCOMPARE(at(QStringLiteral("START")), QPoint(a0, heads));
    QCOMPARE(at(QStringLiteral("END")), QPoint(a0 + q / 2, heads));
    QCOMPARE(at(QStringLiteral("APPOINTMENT")), QPoint(a0 + q, heads));
    QCOMPARE(at(QStringLiteral("TASK")), QPoint(t0, heads));
    QCOMPARE(at(QStringLiteral("PRIORITY")), QPoint(t0 + q, heads));
    QCOMPARE(at(QStringLiteral("DUE DATE")), QPoint(t0 + q + q / 2, heads));
    QCOMPARE(at(QStringLiteral("8:30 A")), QPoint(a0, heads + lh));
    QCOMPARE(at(QStringLiteral("9:00 A")), QPoint(a0 + q / 2, heads + lh));
    QCOMPARE(surface.findText(QStringLiteral("Standup"))->rect,
             (platform::Rect{a0 + q, heads + lh, report->Col2X(), heads + 2 * lh}));
    // The task rows start under their own heads again.
    QCOMPARE(surface.findText(QStringLiteral("Send invoice"))->rect,
             (platform::Rect{t0, heads + lh, report->Col2X() + q, heads + 2 * lh}));
    QCOMPARE(at(QStringLiteral("High")), QPoint(t0 + q, heads + lh));
    QCOMPARE(at(QStringLiteral("Low")), QPoint(t0 + q, heads + 2 * lh));
    QCOMPARE(at(QStringLiteral("5/10/03")), QPoint(t0 + q + q / 2, heads + lh));
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

TAVORO_TEST_MAIN(TestReportPages)
#include "TestReportPages.moc"
