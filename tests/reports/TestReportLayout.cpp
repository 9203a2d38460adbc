#include "platform/gui/RecordingSurface.h"
#include "reports/CreateReport.h"
#include "support/TestMain.h"

#include <QObject>
#include <QRegularExpression>

#include <memory>

using platform::RecordingSurface;

// Every report, on papers from A6 to A3 and envelopes, upright and turned, in type from 6 to 24
// points, printed from records with long texts: no text lies on another, every text lies inside
// the print rectangle (and so on the paper), no text is drawn under a clip, and every record
// appears, whole or shortened with an ellipsis, or counted in a cell's "+N more".
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

// A week (Sunday 4 to Saturday 10 May 2003) whose Saturday is crowded; the daily reports print
// the Saturday.
ReportSelection longTexts(ReportKind kind) {
    ReportSelection s;
    s.Kind = kind;
    s.SelectedDate = day(10);
    s.YellowPages = true;
    for (int i = 1; i <= 40; ++i) {
        const int d = i <= 25 ? 10 : 4 + i % 6;
        Appointment a;
        a.ID = i;
        a.Description = "A" + std::to_string(i) + (i % 3 ? kLong : std::string(" lunch"));
        a.DueDate = day(d);
        a.StartTime = day(d, 7 + i % 12);
        a.EndTime = day(d, 8 + i % 12);
        s.Appointments.push_back(a);
        Task t;
        t.ID = i;
        t.Description = "T" + std::to_string(i) + (i % 2 ? kLong : std::string(" call"));
        t.Priority = i % 4;
        t.DueDate = day(d);
        s.Tasks.push_back(t);
    }
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
        // Each entry's first line starts with its time or its task number, in a narrow cell shortened.
        static const QRegularExpression entry(QStringLiteral("^(\\d|T)"));
        const int begun = static_cast<int>(std::count_if(printedPlain.begin(), printedPlain.end(),
                                                         [](const QString& p) { return entry.match(p).hasMatch(); }));
        QCOMPARE(begun + countedMore, int(selection.Tasks.size() + selection.Appointments.size()));
        break;
    }
    default:
        for (const Appointment& a : selection.Appointments)
            if (ReportKind(kind) != ReportKind::DailyTasks)
                QVERIFY(appears(QString::fromStdString(a.Description)));
        for (const Task& t : selection.Tasks)
            if (ReportKind(kind) != ReportKind::DailyAppointments)
                QVERIFY(appears(QString::fromStdString(t.Description)));
    }
}

TAVORO_TEST_MAIN(TestReportLayout)
#include "TestReportLayout.moc"
