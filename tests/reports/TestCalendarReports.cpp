#include "ReportFixtures.h"
#include "platform/gui/RecordingSurface.h"
#include "reports/DailyTable.h"
#include "reports/MiniCalendar.h"
#include "reports/MonthlyPlanReport.h"
#include "reports/WeeklyPlanReport.h"
#include "support/TestMain.h"

#include <QDate>
#include <QObject>

using platform::RecordingSurface;

// On letter paper (see the fixtures) 8-point bold (66 units) has lines of 88 and characters 39 wide.
namespace {

using namespace fixtures::letter;

constexpr int kLine8 = 88;
constexpr int kChar8 = 39;
constexpr int kBodyTop = kTop + 10 * kLine8; // two lines and a mini calendar below the top

DateTime day(int y, int m, int d, int hour = 0, int minute = 0) {
    return DateTime(y, m, d, hour, minute, 0);
}

using fixtures::appointmentAt;
using fixtures::taskDue;

QStringList textsOf(const RecordingSurface& surface) {
    QStringList result;
    for (const auto& call : surface.texts())
        result << QStringLiteral("%1@%2,%3").arg(call.text).arg(call.x).arg(call.y);
    return result;
}

QStringList linesOf(const RecordingSurface& surface) {
    QStringList result;
    for (const auto& line : surface.lines())
        result
            << QStringLiteral("%1,%2-%3,%4/%5").arg(line.x1).arg(line.y1).arg(line.x2).arg(line.y2).arg(line.pen.width);
    return result;
}

QPoint placed(const RecordingSurface& surface, const QString& text) {
    const auto* call = surface.findText(text);
    return call ? QPoint(call->x, call->y) : QPoint(-1, -1);
}

std::vector<const RecordingSurface::TextCall*> wrappedCalls(const RecordingSurface& surface) {
    std::vector<const RecordingSurface::TextCall*> result;
    for (const auto& call : surface.texts())
        if (call.kind == RecordingSurface::TextKind::Wrapped)
            result.push_back(&call);
    return result;
}

// The day numbers a mini calendar drew, with their cell: day -> (column, row).
QMap<int, QPoint> dayCells(const RecordingSurface& surface, int x0, int y0) {
    QMap<int, QPoint> cells;
    const int colW = 3 * kChar8;
    for (const auto& call : surface.texts()) {
        bool ok = false;
        const int number = call.text.toInt(&ok);
        if (!ok || call.y < y0 + 2 * kLine8)
            continue;
        const int column = (call.x - x0) / colW;
        const int width = static_cast<int>(call.text.size()) * kChar8;
        if (call.x != x0 + column * colW + (colW - width) / 2)
            continue; // not centred in a column: not a day number
        cells.insert(number, QPoint(column, (call.y - y0 - 2 * kLine8) / kLine8));
    }
    return cells;
}

template <class R> void layOut(R& report) {
    report.SetMargins(PageMargins{});
}

} // namespace

class TestCalendarReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void miniCalendar();
    void miniCalendarsOfEveryMonth();
    void weeklyHeadings_data();
    void weeklyHeadings();
    void weeklyBoxes();
    void dayOfYear();
    void weeklyEntries();
    void monthlyGrid();
    void monthlyEntriesEndWithACount();
    void drawingTwiceIsIdentical();
    void narrowPaperUsesSmallType();
    void tinyPaperDrawsNothingOutside();
    void gridTitleStopsGrowing();
};

void TestCalendarReports::miniCalendar() {
    RecordingSurface surface;
    surface.selectFont({QStringLiteral("Times New Roman"), -66, 700});
    const int x0 = 1000;
    const int y0 = 500;
    MiniCalendar::Draw(surface, x0, y0, CalendarMonth{2009, 2}); // four rows, Sunday the 1st

    const int colW = 3 * kChar8;
    QCOMPARE(surface.lines().size(), std::size_t(17));
    QCOMPARE(surface.lines().front(), (RecordingSurface::LineCall{x0, y0, x0 + 7 * colW, y0, {}}));
    // The title band has only its two outer verticals; the inner ones start a line lower.
    QCOMPARE(surface.lines()[9], (RecordingSurface::LineCall{x0, y0, x0, y0 + 8 * kLine8, {}}));
    QCOMPARE(surface.lines()[10], (RecordingSurface::LineCall{x0 + colW, y0 + kLine8, x0 + colW, y0 + 8 * kLine8, {}}));
    QCOMPARE(placed(surface, QStringLiteral("Feb 2009")), QPoint(x0 + (7 * colW - 8 * kChar8) / 2, y0));
    QCOMPARE(surface.texts()[1].text, QStringLiteral("S"));
    QCOMPARE(QPoint(surface.texts()[1].x, surface.texts()[1].y), QPoint(x0 + (colW - kChar8) / 2, y0 + kLine8));
    const QMap<int, QPoint> cells = dayCells(surface, x0, y0);
    QCOMPARE(cells.size(), 28);
    QCOMPARE(cells.value(1), QPoint(0, 0));
    QCOMPARE(cells.value(28), QPoint(6, 3));
}

void TestCalendarReports::miniCalendarsOfEveryMonth() {
    // Counted forward from Monday 1990-01-01 with the Gregorian leap rule.
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int weekday = 1;
    for (int year = 1990; year <= 2035; ++year) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        for (int month = 1; month <= 12; ++month) {
            const int days = lengths[month - 1] + (month == 2 && leap ? 1 : 0);
            RecordingSurface surface;
            surface.selectFont({QStringLiteral("Times New Roman"), -66, 700});
            MiniCalendar::Draw(surface, 0, 0, CalendarMonth{year, month});
            const QMap<int, QPoint> cells = dayCells(surface, 0, 0);
            const QByteArray where = QByteArray::number(year) + "-" + QByteArray::number(month);
            QVERIFY2(cells.size() == days, where);
            QVERIFY2(cells.value(1) == QPoint(weekday, 0), where);
            const int lastCell = weekday + days - 1;
            QVERIFY2(cells.value(days) == QPoint(lastCell % 7, lastCell / 7), where); // four to six rows
            weekday = (weekday + days) % 7;
        }
    }
}

void TestCalendarReports::weeklyHeadings_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QStringList>("titles");    // page 0's and page 1's
    QTest::addColumn<QStringList>("calendars"); // page 0's two, then page 1's two
    QTest::newRow("Wednesday 2003-03-05") << QDate(2003, 3, 5) << QStringList{"Mar 2 - 5", "Mar 6 - 8"}
                                          << QStringList{"Feb 2003", "Mar 2003", "Apr 2003", "May 2003"};
    QTest::newRow("week from 2003-03-30") << QDate(2003, 3, 30) << QStringList{"Mar 30 - Apr 2", "Apr 3 - 5"}
                                          << QStringList{"Feb 2003", "Mar 2003", "Apr 2003", "May 2003"};
    QTest::newRow("second page crosses") << QDate(2003, 7, 30) << QStringList{"Jul 27 - 30", "Jul 31 - Aug 2"}
                                         << QStringList{"June 2003", "July 2003", "Aug 2003", "Sept 2003"};
    QTest::newRow("November") << QDate(2003, 11, 2) << QStringList{"Nov 2 - 5", "Nov 6 - 8"}
                              << QStringList{"Oct 2003", "Nov 2003", "Dec 2003", "Jan 2004"};
    QTest::newRow("December") << QDate(2003, 12, 7) << QStringList{"Dec 7 - 10", "Dec 11 - 13"}
                              << QStringList{"Nov 2003", "Dec 2003", "Jan 2004", "Feb 2004"};
    QTest::newRow("across the year") << QDate(2004, 1, 1) << QStringList{"Dec 28 - 31", "Jan 1 - 3"}
                                     << QStringList{"Nov 2003", "Dec 2003", "Jan 2004", "Feb 2004"};
    QTest::newRow("January") << QDate(2004, 1, 4) << QStringList{"Jan 4 - 7", "Jan 8 - 10"}
                             << QStringList{"Dec 2003", "Jan 2004", "Feb 2004", "Mar 2004"};
}

void TestCalendarReports::weeklyHeadings() {
    QFETCH(QDate, date);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, calendars);
    RecordingSurface layout;
    WeeklyPlanReport report(&layout, day(date.year(), date.month(), date.day()), {}, {});
    layOut(report);
    QCOMPARE(report.GetPageCount(), 2);
    // The second calendar ends at the print rectangle's right edge.
    const int calendarX[] = {kRight - (2 * 21 * kChar8 + 12), kRight - 21 * kChar8};
    for (int page = 0; page < 2; ++page) {
        RecordingSurface surface;
        report.PrintPage(&surface, page);
        const auto* title = surface.findText(titles[page]);
        QVERIFY2(title, qPrintable(titles[page]));
        QCOMPARE(QPoint(title->x, title->y), QPoint(kLeft, kTop));
        QCOMPARE(title->font, (platform::Font{QStringLiteral("Times New Roman"), -150, 700}));
        QCOMPARE(title->backgroundMode, platform::BackgroundMode::Opaque);
        QCOMPARE(title->backgroundColor, QColor(192, 192, 192));
        // Only the title is shaded.
        for (const auto& call : surface.texts())
            if (&call != title)
                QVERIFY2(call.backgroundMode == platform::BackgroundMode::Transparent, qPrintable(call.text));
        for (int k = 0; k < 2; ++k) {
            const QString& name = calendars[2 * page + k];
            const auto* calendar = surface.findText(name);
            QVERIFY2(calendar, qPrintable(name));
            QCOMPARE(QPoint(calendar->x, calendar->y),
                     QPoint(calendarX[k] + (21 * kChar8 - int(name.size()) * kChar8) / 2, kTop));
            QCOMPARE(calendar->font, (platform::Font{QStringLiteral("Times New Roman"), -66, 700}));
        }
    }
}

void TestCalendarReports::weeklyBoxes() {
    RecordingSurface layout;
    WeeklyPlanReport report(&layout, day(2003, 3, 5), {}, {});
    layOut(report);
    const int boxH = (kBottom - kBodyTop) / 4;
    const int writingLines = (boxH - 2 * kLine) / kLine - 1;
    const char* const headings[2][4] = {{"SUNDAY", "MONDAY", "TUESDAY", "WEDNESDAY"},
                                        {"THURSDAY", "FRIDAY", "SATURDAY", "NOTES"}};
    for (int page = 0; page < 2; ++page) {
        RecordingSurface surface;
        report.PrintPage(&surface, page);
        QStringList rules;
        int thinLines = 0;
        for (const auto& line : surface.lines()) {
            if (line.pen.width == 4)
                rules << QStringLiteral("%1,%2-%3,%4").arg(line.x1).arg(line.y1).arg(line.x2).arg(line.y2);
            else if (line.y1 > kBodyTop)
                ++thinLines;
        }
        QStringList expectedRules;
        for (int k = 0; k < 4; ++k)
            expectedRules << QStringLiteral("%1,%2-%3,%2").arg(kLeft).arg(kBodyTop + k * boxH).arg(kRight);
        expectedRules << QStringLiteral("%1,%2-%3,%2").arg(kLeft).arg(kBottom).arg(kRight);
        QCOMPARE(rules, expectedRules);
        QCOMPARE(thinLines, 4 * 2 * writingLines);

        for (int k = 0; k < 4; ++k) {
            const int top = kBodyTop + k * boxH;
            const bool notes = page == 1 && k == 3;
            const int dayOfMonth = 2 + 4 * page + k;
            // The day number in 18-point bold (90 units a character), then the heading 4 units on.
            const int headingX = notes ? kLeft : kLeft + int(QString::number(dayOfMonth).size()) * 90 + 4;
            QCOMPARE(placed(surface, QLatin1String(headings[page][k])), QPoint(headingX, top + 6));
            const QString dayOfYear = QStringLiteral("Day %1").arg(59 + dayOfMonth);
            if (!notes)
                QCOMPARE(placed(surface, dayOfYear), QPoint(kRight - int(dayOfYear.size()) * 33, top + 6));
        }
        QCOMPARE(surface.findText(QLatin1String(headings[page][0]))->font,
                 (platform::Font{QStringLiteral("Times New Roman"), -83, 700}));
        QVERIFY(!surface.findText(QStringLiteral("Day 68")));
    }
    // The first writing line of the first box lies three lines and six units below its rule, in the
    // left half from one character in to one character short of the middle.
    RecordingSurface surface;
    report.PrintPage(&surface, 0);
    const auto it = std::find_if(surface.lines().begin(), surface.lines().end(),
                                 [](const auto& line) { return line.pen.width != 4 && line.y1 > kBodyTop; });
    QVERIFY(it != surface.lines().end());
    QCOMPARE(*it, (RecordingSurface::LineCall{
                      kLeft + kChar, kBodyTop + 6 + 3 * kLine, kLeft + 1950 - kChar, kBodyTop + 6 + 3 * kLine, {}}));
}

void TestCalendarReports::dayOfYear() {
    // 31 December is day 366 of a leap year, 365 of another.
    for (int year : {2003, 2004}) {
        RecordingSurface layout;
        WeeklyPlanReport report(&layout, day(year, 12, 31), {}, {});
        layOut(report);
        RecordingSurface surface;
        report.PrintPage(&surface, day(year, 12, 31).DayOfWeek() <= 4 ? 0 : 1);
        QVERIFY(surface.findText(QStringLiteral("Day %1").arg(year == 2004 ? 366 : 365)));
    }
}

void TestCalendarReports::weeklyEntries() {
    // Entry texts are printed as they stand, never as a format.
    const std::vector<Task> tasks = {taskDue(day(2003, 3, 8, 10), "Saturday task"), taskDue(day(2003, 3, 2), "%s %n"),
                                     taskDue(day(2003, 3, 2), "R&D")};
    const std::vector<Appointment> appointments = {appointmentAt(day(2003, 3, 2, 13, 5), "lunch"),
                                                   appointmentAt(day(2003, 3, 2, 9, 0), "early")};
    // A birthday heads its day, in the week and in the daily plan; one of another day is left out.
    const CalendarDate sunday = CalendarDate::FromParts(2003, 3, 2);
    const std::vector<BirthdayNote> birthdays = {{sunday, "Birthday: Ann Lee (36)"},
                                                 {CalendarDate::FromParts(2003, 3, 20), "Birthday: Later"}};
    QCOMPARE(DailyTable::OfAppointments(appointments, sunday, birthdays).rows.front(),
             QStringList({"All day", "", "Birthday: Ann Lee (36)"}));
    RecordingSurface layout;
    WeeklyPlanReport report(&layout, day(2003, 3, 5), tasks, appointments, birthdays);
    layOut(report);

    const int top = kBodyTop + 8 + 2 * kLine; // below the external leading and two lines into the box
    const int boxH = (kBottom - kBodyTop - 8) / 4;
    const int half = (kRight - kLeft) / 2;

    RecordingSurface page0;
    report.PrintPage(&page0, 0);
    QCOMPARE(placed(page0, QStringLiteral("Birthday: Ann Lee (36)")), QPoint(kLeft + kChar, top));
    QCOMPARE(placed(page0, QStringLiteral("9:00 AM early")), QPoint(kLeft + kChar, top + kLine));
    QCOMPARE(placed(page0, QStringLiteral("1:05 PM lunch")), QPoint(kLeft + kChar, top + 2 * kLine));
    QCOMPARE(page0.findText(QStringLiteral("1:05 PM lunch"))->font, report.NormalFont());
    QCOMPARE(placed(page0, QStringLiteral("%s %n")), QPoint(kLeft + kChar + half, top));
    QCOMPARE(placed(page0, QStringLiteral("R&D")), QPoint(kLeft + kChar + half, top + kLine));

    // Saturday's task goes into the third box of page 1, right half; the notes box stays empty.
    RecordingSurface page1;
    report.PrintPage(&page1, 1);
    QCOMPARE(placed(page1, QStringLiteral("Saturday task")), QPoint(kLeft + kChar + half, top + 2 * boxH));
}

void TestCalendarReports::monthlyGrid() {
    RecordingSurface layout;
    MonthlyPlanReport report(&layout, CalendarMonth{2003, 3}, {}, {});
    layOut(report);
    QCOMPARE(report.GetPageCount(), 1);
    RecordingSurface surface;
    report.PrintPage(&surface, 0);

    QCOMPARE(placed(surface, QStringLiteral("Feb 2003")).x(), kLeft + (21 * kChar8 - 8 * kChar8) / 2);
    QCOMPARE(placed(surface, QStringLiteral("Apr 2003")).x(), kRight - 21 * kChar8 + (21 * kChar8 - 8 * kChar8) / 2);

    const int cellW = (kRight - kLeft) / 7;
    const int cellH = (kBottom - kBodyTop) / 8;
    const QStringList lines = linesOf(surface);
    // Two mini calendars of 17 lines, then the grid's nine rows and eight columns.
    QCOMPARE(lines.size(), 34 + 17);
    QCOMPARE(lines[34], QStringLiteral("%1,%2-%3,%2/1").arg(kLeft).arg(kBodyTop).arg(kLeft + 7 * cellW));
    QCOMPARE(lines[42], QStringLiteral("%1,%2-%3,%2/1").arg(kLeft).arg(kBodyTop + 8 * cellH).arg(kLeft + 7 * cellW));
    QCOMPARE(lines[43], QStringLiteral("%1,%2-%1,%3/1").arg(kLeft).arg(kBodyTop).arg(kBodyTop + 8 * cellH));
    QCOMPARE(lines[44],
             QStringLiteral("%1,%2-%1,%3/1").arg(kLeft + cellW).arg(kBodyTop + cellH).arg(kBodyTop + 8 * cellH));

    // The title grows from 6 points by 2 until it is a third of the band (565 units) high: 20 points
    // are 166 units, drawn 207 high, 99 a character, and sit on the band's bottom.
    QCOMPARE(report.GridTitlePointSize(), 20);
    const auto* title = surface.findText(QStringLiteral("Mar 2003"));
    QVERIFY(title);
    QCOMPARE(title->font, (platform::Font{QStringLiteral("Times New Roman"), -166, 700}));
    QCOMPARE(QPoint(title->x, title->y), QPoint(kLeft + (kRight - kLeft - 8 * 99) / 2, kBodyTop + cellH - 207));

    QCOMPARE(placed(surface, QStringLiteral("WED")),
             QPoint(kLeft + 3 * cellW + (cellW - 3 * kChar) / 2, kBodyTop + 2 * cellH - kLine));

    // March 2003 starts on a Saturday and fills six week rows: the 31st is a Monday in the last.
    const int boldChar = 41 + 8;
    QCOMPARE(report.DayTextRects().size(), std::size_t(31));
    const int lastRowTop = kBodyTop + 7 * cellH;
    const int numberX = kLeft + 2 * cellW - kChar - 2 * boldChar;
    QCOMPARE(report.DayTextRects()[30], (platform::Rect{kLeft + cellW + kChar, lastRowTop + kLine / 2,
                                                        numberX - kChar / 2, lastRowTop + cellH - kLine / 2}));
    QStringList numbers;
    for (const auto& call : surface.texts())
        if (call.text == QLatin1String("31") && call.y == lastRowTop + kLine)
            numbers << QString::number(call.x);
    QCOMPARE(numbers, QStringList{QString::number(numberX)});
    const auto first = std::find_if(surface.texts().begin(), surface.texts().end(), [&](const auto& call) {
        return call.text == QLatin1String("1") && call.y == kBodyTop + 2 * cellH + kLine;
    });
    QVERIFY(first != surface.texts().end());
    QCOMPARE(first->x, kLeft + 7 * cellW - kChar - boldChar);
}

void TestCalendarReports::monthlyEntriesEndWithACount() {
    std::vector<Task> tasks;
    for (int i = 0; i < 40; ++i)
        tasks.push_back(taskDue(day(2003, 3, 12), qPrintable(QStringLiteral("task number %1").arg(i))));
    std::vector<Appointment> appointments = {appointmentAt(day(2003, 3, 12, 13, 5), "meeting")};
    RecordingSurface layout;
    MonthlyPlanReport report(&layout, CalendarMonth{2003, 3}, tasks, appointments);
    layOut(report);
    RecordingSurface surface;
    report.PrintPage(&surface, 0);
    // The cell holds six lines of 6-point type (67 units): the appointment, four tasks, and a count
    // of the 36 entries that found no room.
    const platform::Rect cell = report.DayTextRects()[11];
    const int sixPointLine = 50 + 12 + 5;
    QCOMPARE(cell.height() / sixPointLine, 6);
    QStringList inCell;
    for (const auto& call : surface.texts())
        if (call.x == cell.left && call.y >= cell.top && call.y < cell.bottom) {
            inCell << call.text;
            QCOMPARE(call.font, (platform::Font{QStringLiteral("Times New Roman"), -50, 400}));
        }
    QCOMPARE(inCell.size(), 6);
    QCOMPARE(inCell.first(), QStringLiteral("1:05 PM"));
    QVERIFY(inCell.last().startsWith(QLatin1Char('+')) && inCell.last().endsWith(QLatin1String(" more")));
}

void TestCalendarReports::drawingTwiceIsIdentical() {
    const std::vector<Task> tasks = {taskDue(day(2003, 3, 3), "task")};
    const std::vector<Appointment> appointments = {appointmentAt(day(2003, 3, 4, 8, 30), "appointment")};
    RecordingSurface layout;
    WeeklyPlanReport weekly(&layout, day(2003, 3, 3), tasks, appointments);
    MonthlyPlanReport monthly(&layout, CalendarMonth{2003, 3}, tasks, appointments);
    layOut(weekly);
    layOut(monthly);
    const std::pair<Report*, int> pages[] = {{&weekly, 0}, {&weekly, 1}, {&monthly, 0}};
    for (const auto& [report, page] : pages) {
        RecordingSurface first;
        RecordingSurface second;
        report->PrintPage(&first, page);
        report->PrintPage(&second, page);
        QCOMPARE(textsOf(second), textsOf(first));
        QCOMPARE(linesOf(second), linesOf(first));
        QCOMPARE(report->PointSize(), 10);
        QCOMPARE(second.currentFont(), platform::Font{});
        QCOMPARE(second.currentPen(), platform::Pen{});
        QCOMPARE(second.saveDepth(), 0);
    }
}

void TestCalendarReports::narrowPaperUsesSmallType() {
    platform::DeviceMetrics card = RecordingSurface::letterAt600Dpi();
    card.physicalWidth = 6 * 600 + 599;
    card.physicalHeight = 9 * 600;
    RecordingSurface layout(card);
    MonthlyPlanReport report(&layout, CalendarMonth{2003, 3}, {}, {});
    layOut(report);
    RecordingSurface surface(card);
    report.PrintPage(&surface, 0);
    QCOMPARE(report.PointSize(), 8);
    QCOMPARE(surface.findText(QStringLiteral("SUN"))->font.height, -66);
}

void TestCalendarReports::tinyPaperDrawsNothingOutside() {
    platform::DeviceMetrics tiny = RecordingSurface::letterAt600Dpi();
    tiny.physicalWidth = 1200;
    tiny.physicalHeight = 1500;
    const std::vector<Task> tasks = {taskDue(day(2003, 3, 3), "task")};
    RecordingSurface layout(tiny);
    WeeklyPlanReport weekly(&layout, day(2003, 3, 3), tasks, {});
    MonthlyPlanReport monthly(&layout, CalendarMonth{2003, 3}, tasks, {});
    layOut(weekly);
    layOut(monthly);
    for (Report* report : {static_cast<Report*>(&weekly), static_cast<Report*>(&monthly)}) {
        RecordingSurface surface(tiny);
        report->PrintPage(&surface, 0);
        QVERIFY(wrappedCalls(surface).empty());
        for (const auto& line : surface.lines())
            QVERIFY2(line.pen.width != 4, "no box rules without room for boxes");
    }
    QVERIFY(monthly.DayTextRects().empty() ||
            std::all_of(monthly.DayTextRects().begin(), monthly.DayTextRects().end(),
                        [](const platform::Rect& r) { return r.width() == 0 && r.height() == 0; }));
}

void TestCalendarReports::gridTitleStopsGrowing() {
    platform::DeviceMetrics banner = RecordingSurface::letterAt600Dpi();
    banner.physicalHeight = 600 * 600; // fifty feet: cells far taller than any title
    RecordingSurface layout(banner);
    MonthlyPlanReport report(&layout, CalendarMonth{2003, 3}, {}, {});
    layOut(report);
    RecordingSurface surface(banner);
    report.PrintPage(&surface, 0);
    QCOMPARE(report.GridTitlePointSize(), MonthlyPlanReport::MaxGridTitlePoints);
}

TAVORO_TEST_MAIN(TestCalendarReports)
#include "TestCalendarReports.moc"
