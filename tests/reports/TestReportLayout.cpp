#include "ReportFixtures.h"
#include "core/AppointmentOccurrences.h"
#include "core/DayListRows.h"
#include "platform/gui/RecordingSurface.h"
#include "reports/CreateReport.h"
#include "reports/DailyGathering.h"
#include "reports/OccurrenceCopies.h"
#include "reports/PlanGathering.h"
#include "support/TestMain.h"

#include <QObject>
#include <QRegularExpression>

#include <memory>

using platform::RecordingSurface;

// Every report, on papers from A6 to A3 and envelopes, upright and turned, in type from 6 to 24
// points, printed from records with long texts: no text lies on another, every text lies inside
// the print rectangle (and so on the paper), no text is drawn under a clip, and every record
// appears, whole or shortened with an ellipsis, or counted in a cell's "+N more". The appointments
// include series, all-day and multi-day ones, gathered as the Report menu gathers them: an entry
// of several days appears on each of them.
namespace {

const QString kEllipsis = QStringLiteral("\u2026");
const std::string kLong = " with the regional directors about the consolidated quarterly budget and the "
                          "supervisory board's extraordinarily detailed sustainability questions";

struct Paper {
    const char* name;
    double width; // inches, upright
    double height;
};

const Paper kPapers[] = {{"A6", 4.13, 5.83},    {"A4", 8.27, 11.69},  {"A3", 11.69, 16.54},
                         {"Letter", 8.5, 11.0}, {"Legal", 8.5, 14.0}, {"DL envelope", 4.33, 8.66}};

platform::DeviceMetrics paper(double width, double height) {
    return {600, 600, static_cast<int>(width * 600), static_cast<int>(height * 600), 100, 100};
}

DateTime day(int d, int hour = 0) {
    return DateTime(2003, 5, d, hour, 0, 0);
}

// A week (Sunday 4 to Saturday 10 May 2003) whose Saturday is crowded, with series and entries of
// several days running into it and out of it and out of the month; the daily reports print the
// Saturday. Descriptions of entries that may be printed without a time begin with "W".
PimRecords longRecords() {
    PimRecords records;
    for (int i = 1; i <= 40; ++i) {
        const int d = i <= 25 ? 10 : 4 + i % 6;
        Appointment a;
        a.Description = "A" + std::to_string(i) + (i % 3 ? kLong : std::string(" lunch"));
        a.DueDate = day(d);
        a.StartTime = day(d, 7 + i % 12);
        a.EndTime = day(d, 8 + i % 12);
        records.Appointments.Add(a);
        Task t;
        t.Description = "T" + std::to_string(i) + (i % 2 ? kLong : std::string(" call"));
        t.Priority = i % 4;
        t.DueDate = day(d);
        records.Tasks.Add(t);
    }
    using fixtures::allDays;
    using fixtures::seriesFrom;
    records.Appointments.Add(
        seriesFrom(DateTime(2003, 4, 1, 7, 30, 0), 60, "FREQ=WEEKLY;BYDAY=TU,SA", ("A41 weekly" + kLong).c_str()));
    records.Appointments.Add(seriesFrom(DateTime(2003, 5, 1, 12, 0, 0), 30, "FREQ=DAILY;COUNT=20", "A42 daily"));
    records.Appointments.Add(seriesFrom(DateTime(2003, 5, 2, 22, 0, 0), 180, "FREQ=WEEKLY;COUNT=3", "W1 night"));
    records.Appointments.Add(allDays(day(9), 4, ("W2 conference" + kLong).c_str()));
    Appointment birthday = allDays(DateTime(1990, 5, 10, 0, 0, 0), 1, "W3 birthday");
    birthday.RRule = "FREQ=YEARLY";
    records.Appointments.Add(birthday);
    records.Appointments.Add(allDays(DateTime(2003, 4, 28, 0, 0, 0), 5, "W4 from April"));
    Appointment weekends = allDays(DateTime(2003, 4, 5, 0, 0, 0), 2, "W5 weekends away");
    weekends.RRule = "FREQ=WEEKLY";
    records.Appointments.Add(weekends);
    return records;
}

ReportSelection longTexts(ReportKind kind) {
    ReportSelection s;
    s.Kind = kind;
    s.SelectedDate = day(10);
    s.YellowPages = true;
    const PimRecords records = longRecords();
    for (const auto& [id, task] : records.Tasks)
        s.Tasks.push_back(task);
    std::vector<ListedRow> rows;
    for (const ListRow& row : DayListRows::Appointments(records, s.SelectedDate))
        rows.push_back({row.id, row.columns[1]});
    s.Appointments = DailyGathering::Appointments(records, rows, CalendarDate::Of(s.SelectedDate));
    PlanGathering::Choose(s, kind, records, s.SelectedDate);
    for (int i = 1; i <= 3; ++i) {
        Person p;
        p.ID = i;
        p.FName = "Maximilian Alexander " + std::to_string(i);
        p.LName = "Featherstonehaugh-Wolfeschlegelsteinhausen";
        p.Company = "International Consolidated Holdings and Amalgamated Industries Limited";
        p.Position = "Senior Vice President of Strategic Partnerships";
        p.Addr1 = "1234 Extraordinarily Long Boulevard of the Republic, Building C";
        p.City = "San Francisco de Macoris";
        p.State = "California";
        p.Zip = "94105-1234";
        p.EMail = "maximilian.alexander.featherstonehaugh@international-consolidated-holdings.example.com";
        p.WebPage = "https://www.international-consolidated-holdings.example.com/people/maximilian";
        s.AddressBookPersons.push_back(p);
        s.EnvelopePersons.push_back(p);
    }
    s.User.FName = "Alexandra Catherine";
    s.User.LName = "Montgomery-Worthington";
    s.User.Company = "Quill and Ink Stationery Supplies Incorporated";
    s.User.Addr1 = "1 High Street, The Old Mill House, Riverside Industrial Estate";
    s.User.City = "Springfield";
    s.User.State = "IL";
    s.User.Zip = "62701";
    return s;
}

QRect boxOf(const RecordingSurface::TextCall& call) {
    const platform::TextMetrics m = RecordingSurface::metricsOf(call.font);
    return QRect(call.x, call.y, static_cast<int>(call.text.size()) * m.averageCharWidth, m.height);
}

// Whether a printed text is the record's text, or a beginning of it ended with an ellipsis.
bool shows(const QString& printed, const QString& record) {
    if (printed == record)
        return true;
    return printed.endsWith(kEllipsis) && record.startsWith(printed.chopped(1).trimmed());
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyReportFitsEveryPaper_data();
    void everyReportFitsEveryPaper();
};

void TestReportLayout::everyReportFitsEveryPaper_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("points");
    for (int kind = 1; kind <= 7; ++kind)
        for (const Paper& p : kPapers)
            for (bool landscape : {false, true})
                for (int points : {6, 8, 10, 14, 24})
                    QTest::addRow("kind %d, %s%s, %d pt", kind, p.name, landscape ? " turned" : "", points)
                        << kind << (landscape ? p.height : p.width) << (landscape ? p.width : p.height) << points;
}

void TestReportLayout::everyReportFitsEveryPaper() {
    QFETCH(int, kind);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, points);
    RecordingSurface surface(paper(width, height));
    const ReportSelection selection = longTexts(ReportKind(kind));
    auto report = CreateReport(&surface, selection, PageMargins{}, {QStringLiteral("Times New Roman"), points});
    QVERIFY(report && report->GetPageCount() > 0);
    const platform::Rect r = report->GetPrintRect();
    const QRect printRect(r.left, r.top, r.width() + 1, r.height() + 1);

    QStringList printed;
    QStringList printedPlain; // in type of normal weight: entries, not headings or day numbers
    int countedMore = 0;
    static const QRegularExpression more(QStringLiteral("^\\+(\\d+)( more)?$"));
    for (int page = 0; page < report->GetPageCount(); ++page) {
        surface.clear();
        report->PrintPage(&surface, page);
        std::vector<std::pair<QRect, QString>> boxes;
        for (const auto& call : surface.texts()) {
            if (call.text.isEmpty())
                continue;
            QVERIFY2(call.kind == RecordingSurface::TextKind::Point, qPrintable(call.text));
            const QRect box = boxOf(call);
            QVERIFY2(printRect.contains(box), qPrintable(QStringLiteral("page %1: %2").arg(page).arg(call.text)));
            for (const auto& [other, otherText] : boxes)
                QVERIFY2(!box.intersects(other),
                         qPrintable(QStringLiteral("page %1: %2 on %3").arg(page).arg(call.text, otherText)));
            boxes.emplace_back(box, call.text);
            printed << call.text;
            if (call.font.weight == 400)
                printedPlain << call.text;
            if (const auto match = more.match(call.text); match.hasMatch())
                countedMore += match.captured(1).toInt();
        }
    }

    const auto appears = [&](const QString& text) {
        return std::any_of(printed.begin(), printed.end(), [&](const QString& p) { return shows(p, text); });
    };
    switch (ReportKind(kind)) {
    case ReportKind::AddressBook:
    case ReportKind::Envelopes:
        for (const Person& person : selection.AddressBookPersons)
            QVERIFY(appears(QString::fromStdString(person.FName + " " + person.LName)));
        break;
    case ReportKind::WeeklyPlan:
    case ReportKind::MonthlyPlan: {
        // Each entry's first line starts with its time, its task number or (all day or continuing) its
        // "W", in a narrow cell shortened; one of several days is on each of the plan's days it covers.
        // A cell too narrow for "(day 2 of 3)" breaks it: its tail ("2 of 3)", "3)") begins no entry;
        // nor does a description wrapped below its time.
        static const QRegularExpression entry(QStringLiteral("^(\\d|T|W)"));
        static const QRegularExpression markTail(QStringLiteral("^\\d[\\d\\x{00a0}of]*\\)$"));
        static const QRegularExpression time(QStringLiteral("^\\d+:\\d\\d [AP]M$"));
        int begun = 0;
        for (qsizetype i = 0; i < printedPlain.size(); ++i)
            begun += entry.match(printedPlain[i]).hasMatch() && !markTail.match(printedPlain[i]).hasMatch() &&
                     !(i > 0 && time.match(printedPlain[i - 1]).hasMatch());
        const bool weekly = ReportKind(kind) == ReportKind::WeeklyPlan;
        const CalendarDate first = weekly ? CalendarDate::Of(PlanGathering::WeekStart(selection.SelectedDate))
                                          : CalendarDate::FromParts(2003, 5, 1);
        const CalendarDate last = weekly ? first + 6 : CalendarDate::FromParts(2003, 5, 31);
        int expected = static_cast<int>(selection.Tasks.size());
        for (const Appointment& a : selection.Appointments) {
            const Occurrence o = AppointmentOccurrences::Single(a);
            expected += std::max(0, (std::min(last, o.lastDay) - std::max(first, o.firstDay)) + 1);
        }
        QVERIFY(expected > static_cast<int>(selection.Tasks.size() + selection.Appointments.size()));
        QCOMPARE(begun + countedMore, expected);
        break;
    }
    default:
        // An entry of several days marked with the day printed.
        for (const Appointment& a : selection.Appointments)
            if (ReportKind(kind) != ReportKind::DailyTasks)
                QVERIFY(appears(QString::fromStdString(a.Description) +
                                OccurrenceCopies::DayMark(AppointmentOccurrences::Single(a),
                                                          CalendarDate::Of(selection.SelectedDate))));
        for (const Task& t : selection.Tasks)
            if (ReportKind(kind) != ReportKind::DailyAppointments)
                QVERIFY(appears(QString::fromStdString(t.Description)));
    }
}

TAVORO_TEST_MAIN(TestReportLayout)
#include "TestReportLayout.moc"
