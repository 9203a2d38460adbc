#include "CliPrint.h"

#include "CliArguments.h"
#include "StderrPromptService.h"
#include "core/DayListRows.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/BirthdayNotes.h"
#include "reports/CreateReport.h"
#include "reports/DailyGathering.h"
#include "reports/PaperNames.h"
#include "reports/PersonGathering.h"
#include "reports/PlanGathering.h"
#include "reports/PrintJob.h"

#include <QDate>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

struct PrintableReport {
    const char* name;
    ReportKind kind;
};

const PrintableReport kReports[] = {
    {"daily-appointments", ReportKind::DailyAppointments},
    {"daily-tasks", ReportKind::DailyTasks},
    {"daily-plan", ReportKind::DailyPlan},
    {"weekly-plan", ReportKind::WeeklyPlan},
    {"monthly-plan", ReportKind::MonthlyPlan},
    {"address-book", ReportKind::AddressBook},
    {"envelopes", ReportKind::Envelopes},
};

struct PrintOptions {
    QString report;
    QString document;
    QString pdf;
    QDate date = QDate::currentDate();
    QString face;
    int pointSize = 0;
    // The phone book's pages, as the day view's two options choose them; white when neither is given.
    bool whitePages = false;
    bool yellowPages = false;
    std::optional<QPageSize> paper; // the locale's paper when none is named
    bool landscape = false;
    double marginsMm = -1; // the page setup's default margins when negative
};

const QList<QCommandLineOption> kOptions = {
    {QStringLiteral("date"), QStringLiteral("The day."), QStringLiteral("YYYY-MM-DD")},
    {QStringLiteral("white"), QStringLiteral("White Pages.")},
    {QStringLiteral("yellow"), QStringLiteral("Yellow Pages.")},
    {QStringLiteral("pdf"), QStringLiteral("The PDF file to write."), QStringLiteral("OUT.pdf")},
    {QStringLiteral("font"), QStringLiteral("Font face."), QStringLiteral("FACE")},
    {QStringLiteral("size"), QStringLiteral("Font size."), QStringLiteral("POINTS")},
    {QStringLiteral("paper"), QStringLiteral("Paper name."), QStringLiteral("NAME")},
    {QStringLiteral("landscape"), QStringLiteral("Landscape pages.")},
    {QStringLiteral("margins"), QStringLiteral("Margins."), QStringLiteral("MM")},
};

// The usage, and the names a print command can use.
int refuse(const CliArguments& arguments, const char* problem) {
    arguments.Refuse(QLatin1String(problem));
    std::fputs("reports:", stderr);
    for (const PrintableReport& report : kReports)
        std::fprintf(stderr, " %s", report.name);
    std::fprintf(stderr, "\npapers: %s\n", qPrintable(PaperNames::Names().join(QLatin1Char(' '))));
    return kCliUsageError;
}

// Returns the problem with the options, or null.
const char* readOptions(const CliArguments& arguments, PrintOptions& options) {
    options.whitePages = arguments.IsSet(QStringLiteral("white"));
    options.yellowPages = arguments.IsSet(QStringLiteral("yellow"));
    options.landscape = arguments.IsSet(QStringLiteral("landscape"));
    options.pdf = arguments.Value(QStringLiteral("pdf"));
    options.face = arguments.Value(QStringLiteral("font"));
    if (arguments.IsSet(QStringLiteral("date"))) {
        options.date = QDate::fromString(arguments.Value(QStringLiteral("date")), Qt::ISODate);
        if (!options.date.isValid())
            return "--date wants YYYY-MM-DD";
    }
    if (arguments.IsSet(QStringLiteral("size"))) {
        bool ok = false;
        options.pointSize = arguments.Value(QStringLiteral("size")).toInt(&ok);
        if (!ok || options.pointSize < 1 || options.pointSize > 200)
            return "--size wants a number of points from 1 to 200";
    }
    if (arguments.IsSet(QStringLiteral("paper"))) {
        options.paper = PaperNames::Find(arguments.Value(QStringLiteral("paper")));
        if (!options.paper)
            return "unknown paper";
    }
    if (arguments.IsSet(QStringLiteral("margins"))) {
        bool ok = false;
        options.marginsMm = arguments.Value(QStringLiteral("margins")).toDouble(&ok);
        if (!ok || options.marginsMm < 0 || options.marginsMm > 100)
            return "--margins wants millimetres from 0 to 100";
    }
    if (options.pdf.isEmpty())
        return "wants --pdf OUT.pdf";
    if (!options.whitePages && !options.yellowPages)
        options.whitePages = true;
    options.report = arguments.Word(0);
    options.document = arguments.Word(1);
    return nullptr;
}

// What the Report menu gathers on that date: the rows the day view lists, as it lists them.
ReportSelection selectionFor(ReportKind kind, const PimDocument& document, const PrintOptions& options) {
    const QDate& date = options.date;
    const DateTime day(date.year(), date.month(), date.day(), 0, 0, 0);
    std::vector<ListedRow> taskRows;
    for (const ListRow& row : DayListRows::Tasks(document.Records(), day, DateTime::Today()))
        taskRows.push_back({row.id, row.columns[1]});
    std::vector<ListedRow> appointmentRows;
    for (const ListRow& row : DayListRows::Appointments(document.Records(), day))
        appointmentRows.push_back({row.id, row.columns[1]});

    ReportSelection selection;
    selection.SelectedDate = day;
    selection.User = document.User();
    DailyGathering::Choose(selection, kind, document.Records(), day, taskRows, appointmentRows);
    PlanGathering::Choose(selection, kind, document.Records(), day);
    BirthdayNotes::Choose(selection, document.Records());
    // Every person on the chosen pages, as if all were selected in "Persons To Include".
    PersonGathering::Choose(selection, kind,
                            PersonGathering::Listed(document.Persons(), options.whitePages, options.yellowPages),
                            options.whitePages, options.yellowPages);
    return selection;
}

} // namespace

int runPrint(const QStringList& args) {
    CliArguments arguments(kPrintUsage, kOptions);
    if (!arguments.Parse(args, 2))
        return kCliUsageError;
    PrintOptions options;
    if (const char* problem = readOptions(arguments, options))
        return refuse(arguments, problem);
    const PrintableReport* chosen = nullptr;
    for (const PrintableReport& report : kReports)
        if (options.report == QLatin1String(report.name))
            chosen = &report;
    if (!chosen)
        return refuse(arguments, "unknown report");

    StderrPromptService prompt;
    PimDocument document;
    if (!DocumentStorage(document).ReadFromFile(options.document, prompt)) {
        prompt.message(QStringLiteral("Error loading file."), QStringLiteral("Tavoro"), platform::PromptButtons::Ok,
                       platform::PromptIcon::Stop);
        return kCliFailure;
    }

    // Printing to a PDF file needs no printer: a PDF writer on the paper asked for (the locale's
    // by default), with no unprintable edge, at the resolution the program prints PDF files in.
    QPdfWriter pdf(options.pdf);
    pdf.setResolution(1200);
    const QPageSize paper = options.paper.value_or(PaperNames::LocalePaper(QLocale()));
    pdf.setPageLayout(
        QPageLayout(paper, options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    PageMargins margins;
    if (options.marginsMm >= 0) {
        const int thousandths = static_cast<int>(std::lround(options.marginsMm / 25.4 * 1000));
        margins = {thousandths, thousandths, thousandths, thousandths};
        // Margins that leave less than half of the paper's width or height print nothing useful.
        const QSizeF inches = pdf.pageLayout().fullRect(QPageLayout::Inch).size();
        if (4 * thousandths > 1000 * std::min(inches.width(), inches.height()))
            return refuse(arguments, "--margins leaves too little of this paper");
    }
    ReportFont font;
    if (!options.face.isEmpty())
        font.faceName = options.face;
    if (options.pointSize > 0)
        font.pointSize = options.pointSize;

    const ReportSelection selection = selectionFor(chosen->kind, document, options);
    const platform::DeviceMetrics metrics = platform::pageMetrics(pdf.pageLayout(), pdf.resolution());
    platform::PainterSurface surface(nullptr, metrics, &pdf);
    std::unique_ptr<Report> report = CreateReport(&surface, selection, margins, font);
    if (!report || report->GetPageCount() == 0) {
        std::fprintf(stderr, "tavoro-cli print: nothing to print for %s\n",
                     qPrintable(options.date.toString(Qt::ISODate)));
        return kCliFailure;
    }
    if (!PrintJob::Print(*report, pdf, metrics)) {
        std::fprintf(stderr, "tavoro-cli print: cannot write %s\n", qPrintable(options.pdf));
        return kCliFailure;
    }
    std::printf("%d pages\n", report->GetPageCount());
    return kCliSuccess;
}
