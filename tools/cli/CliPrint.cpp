#include "CliPrint.h"

#include "CliUsage.h"
#include "StderrPromptService.h"
#include "core/DayListRows.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/CreateReport.h"
#include "reports/DailyGathering.h"
#include "reports/PaperNames.h"
#include "reports/PersonGathering.h"
#include "reports/PlanGathering.h"
#include "reports/PrintJob.h"
#include "reports/PrintSettings.h"

#include <QDate>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

const char kUsage[] = "print REPORT DOC [--date YYYY-MM-DD] [--white] [--yellow] --pdf OUT.pdf [--font FACE] "
                      "[--size POINTS] [--paper NAME] [--landscape] [--margins MM]";

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

int usage(const char* problem) {
    if (problem)
        std::fprintf(stderr, "tavoro-cli print: %s\n", problem);
    std::fprintf(stderr, "usage: tavoro-cli %s\nreports:", kUsage);
    for (const PrintableReport& report : kReports)
        std::fprintf(stderr, " %s", report.name);
    std::fprintf(stderr, "\npapers: %s\n", qPrintable(PaperNames::Names().join(QLatin1Char(' '))));
    return kCliUsageError;
}

// Returns the problem with the arguments, or null.
const char* parse(const QStringList& args, PrintOptions& options) {
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            positional << arg;
            continue;
        }
        if (arg == QLatin1String("--white") || arg == QLatin1String("--yellow")) {
            (arg == QLatin1String("--white") ? options.whitePages : options.yellowPages) = true;
            continue;
        }
        if (arg == QLatin1String("--landscape")) {
            options.landscape = true;
            continue;
        }
        if (i + 1 >= args.size())
            return "an option lacks its value";
        const QString value = args.at(++i);
        if (arg == QLatin1String("--date")) {
            options.date = QDate::fromString(value, Qt::ISODate);
            if (!options.date.isValid())
                return "--date wants YYYY-MM-DD";
        } else if (arg == QLatin1String("--pdf")) {
            options.pdf = value;
        } else if (arg == QLatin1String("--font")) {
            options.face = value;
        } else if (arg == QLatin1String("--size")) {
            bool ok = false;
            options.pointSize = value.toInt(&ok);
            if (!ok || options.pointSize < 1 || options.pointSize > 200)
                return "--size wants a number of points from 1 to 200";
        } else if (arg == QLatin1String("--paper")) {
            options.paper = PaperNames::Find(value);
            if (!options.paper)
                return "unknown paper";
        } else if (arg == QLatin1String("--margins")) {
            bool ok = false;
            options.marginsMm = value.toDouble(&ok);
            if (!ok || options.marginsMm < 0 || options.marginsMm > 100)
                return "--margins wants millimetres from 0 to 100";
        } else {
            return "unknown option";
        }
    }
    if (positional.size() != 2)
        return "wants a report and a document";
    if (options.pdf.isEmpty())
        return "wants --pdf OUT.pdf";
    if (!options.whitePages && !options.yellowPages)
        options.whitePages = true;
    options.report = positional.at(0);
    options.document = positional.at(1);
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
    // Every person on the chosen pages, as if all were selected in "Persons To Include".
    PersonGathering::Choose(selection, kind,
                            PersonGathering::Listed(document.Persons(), options.whitePages, options.yellowPages),
                            options.whitePages, options.yellowPages);
    return selection;
}

} // namespace

int runPrint(const QStringList& args) {
    PrintOptions options;
    if (const char* problem = parse(args, options))
        return usage(problem);
    const PrintableReport* chosen = nullptr;
    for (const PrintableReport& report : kReports)
        if (options.report == QLatin1String(report.name))
            chosen = &report;
    if (!chosen)
        return usage("unknown report");

    StderrPromptService prompt;
    PimDocument document;
    if (!DocumentStorage(document).ReadFromFile(options.document, prompt)) {
        prompt.message(QStringLiteral("Error loading file."), QStringLiteral("Tavoro"), platform::PromptButtons::Ok,
                       platform::PromptIcon::Stop);
        return 1;
    }

    PrintSettings settings;
    if (options.paper)
        settings.Printer().setPageSize(*options.paper);
    if (options.landscape)
        settings.Printer().setPageOrientation(QPageLayout::Landscape);
    settings.UsePdfFile(options.pdf);
    if (options.marginsMm >= 0) {
        const int thousandths = static_cast<int>(std::lround(options.marginsMm / 25.4 * 1000));
        settings.Margins = {thousandths, thousandths, thousandths, thousandths};
        // Margins that leave less than half of the paper's width or height print nothing useful.
        const QSizeF paper = settings.Printer().pageLayout().fullRect(QPageLayout::Inch).size();
        if (4 * thousandths > 1000 * std::min(paper.width(), paper.height()))
            return usage("--margins leaves too little of this paper");
    }
    if (!options.face.isEmpty())
        settings.Font.faceName = options.face;
    if (options.pointSize > 0)
        settings.Font.pointSize = options.pointSize;

    const ReportSelection selection = selectionFor(chosen->kind, document, options);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());
    std::unique_ptr<Report> report = CreateReport(&surface, selection, settings.Margins, settings.Font);
    if (!report || report->GetPageCount() == 0) {
        std::fprintf(stderr, "tavoro-cli print: nothing to print for %s\n",
                     qPrintable(options.date.toString(Qt::ISODate)));
        return 1;
    }
    if (!PrintJob::Print(*report, settings.Printer(), metrics)) {
        std::fprintf(stderr, "tavoro-cli print: cannot write %s\n", qPrintable(options.pdf));
        return 1;
    }
    std::printf("%d pages\n", report->GetPageCount());
    return 0;
}
