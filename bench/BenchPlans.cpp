#include "BenchPlans.h"

#include "BenchGroup.h"
#include "BenchTiming.h"
#include "core/PimRecords.h"
#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/CreateReport.h"
#include "reports/PersonGathering.h"
#include "reports/PlanGathering.h"
#include "reports/PrintJob.h"
#include "reports/PrintSettings.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr int kRecords = 100000;

// Records a year either side of the date the plans are printed for: about 960 tasks and as many
// appointments fall into its week and some 4,000 of each into its month.
void fill(PimRecords& records, const DateTime& centre) {
    std::mt19937 random(20030305);
    std::uniform_int_distribution<int> offset(-365, 365), hour(7, 19), quarter(0, 3), pick(0, 9);
    const char* const first[] = {"Anna", "ben", "Carla", "David", "eva", "Frank", "Greta", "Hugo", "Ines", "Jonas"};
    const char* const last[] = {"Meyer",  "o'Brien", "Schmidt",  "Novak", "Rossi",
                                "dubois", "Larsen",  "Kowalski", "Berg",  "Ito"};
    for (int i = 0; i < kRecords; ++i) {
        Person person;
        person.FName = first[pick(random)];
        person.LName = std::string(last[pick(random)]) + std::to_string(i % 997);
        person.RName = person.LName + ", " + person.FName;
        person.Company = i % 3 ? "Northwind Traders" : "";
        person.Addr1 = std::to_string(1 + i % 200) + " Main Street";
        person.City = "Springfield";
        person.State = "IL";
        person.Zip = std::to_string(10000 + i % 90000);
        person.HmPhone = "555-" + std::to_string(1000 + i % 9000);
        person.WkPhone = "555-" + std::to_string(2000 + i % 8000);
        person.WkExt = i % 4 ? "" : std::to_string(i % 100);
        person.EMail = person.FName + "." + std::to_string(i) + "@example.com";
        person.WhitePages = 1;
        records.Persons.Add(person);

        Task task;
        task.Description = "Send the signed contract back to supplier " + std::to_string(i);
        task.DueDate = centre + DateTimeSpan(static_cast<double>(offset(random)));
        records.Tasks.Add(task);

        Appointment appointment;
        const DateTime day = centre + DateTimeSpan(static_cast<double>(offset(random)));
        appointment.Description = "Meeting about the quarterly figures " + std::to_string(i);
        appointment.DueDate = day;
        appointment.StartTime = DateTime(day.Year(), day.Month(), day.Day(), hour(random), quarter(random) * 15, 0);
        appointment.EndTime = appointment.StartTime + DateTimeSpan(0, 1, 0, 0);
        records.Appointments.Add(appointment);
    }
}

struct Timings {
    double gatherMs = 0;
    double buildMs = 0;
    double pdfMs = 0;
    int pages = 0;
    std::size_t records = 0;
};

// Gathers as the Report menu does, builds as File > Print does, and prints every page to PDF.
Timings plan(ReportKind kind, const PimRecords& records, const DateTime& date, const QString& pdf) {
    Timings t;
    ReportSelection selection;
    t.gatherMs = bestOf(3, [&] { PlanGathering::Choose(selection, kind, records, date); }).wallMs;
    t.records = selection.Tasks.size() + selection.Appointments.size();
    PrintSettings settings;
    settings.UsePdfFile(pdf);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());
    std::unique_ptr<Report> report;
    t.buildMs = bestOf(3, [&] { report = CreateReport(&surface, selection, settings.Margins, settings.Font); }).wallMs;
    t.pages = report->GetPageCount();
    QElapsedTimer timer;
    timer.start();
    PrintJob::Print(*report, settings.Printer(), metrics);
    t.pdfMs = elapsedMs(timer);
    return t;
}

Timings addressBook(const PimRecords& records, int persons, const QString& pdf) {
    Timings t;
    ReportSelection selection;
    std::vector<Person> listed = PersonGathering::Listed(records.Persons, true, false);
    listed.resize(std::min(listed.size(), static_cast<std::size_t>(persons)));
    t.records = listed.size();
    PersonGathering::Choose(selection, ReportKind::AddressBook, std::move(listed), true, false);
    PrintSettings settings;
    settings.UsePdfFile(pdf);
    const platform::DeviceMetrics metrics = platform::printerMetrics(settings.Printer());
    platform::PainterSurface surface(nullptr, metrics, &settings.Printer());
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<Report> report = CreateReport(&surface, selection, settings.Margins, settings.Font);
    t.buildMs = elapsedMs(timer);
    t.pages = report->GetPageCount();
    timer.restart();
    PrintJob::Print(*report, settings.Printer(), metrics);
    t.pdfMs = elapsedMs(timer);
    return t;
}

} // namespace

void runPlanReportsBench() {
    const DateTime date(2003, 3, 5, 0, 0, 0);
    PimRecords records;
    fill(records, date);
    QTemporaryDir dir;

    const Timings weekly = plan(ReportKind::WeeklyPlan, records, date, dir.filePath(QStringLiteral("week.pdf")));
    const Timings monthly = plan(ReportKind::MonthlyPlan, records, date, dir.filePath(QStringLiteral("month.pdf")));
    std::printf("%-44s %10s\n", "plans of 2003-03-05, 100,000 records each kind", "");
    std::printf("  %-42s %10zu\n", "weekly plan: records in the week", weekly.records);
    std::printf("  %-42s %10.1f ms\n", "weekly plan: gather from the document", weekly.gatherMs);
    std::printf("  %-42s %10.1f ms\n", "weekly plan: build", weekly.buildMs);
    std::printf("  %-42s %10.1f ms (%d pages)\n", "weekly plan: print into a PDF file", weekly.pdfMs, weekly.pages);
    std::printf("  %-42s %10zu\n", "monthly plan: records in the month", monthly.records);
    std::printf("  %-42s %10.1f ms\n", "monthly plan: gather from the document", monthly.gatherMs);
    std::printf("  %-42s %10.1f ms\n", "monthly plan: build", monthly.buildMs);
    std::printf("  %-42s %10.1f ms (%d page)\n", "monthly plan: print into a PDF file", monthly.pdfMs, monthly.pages);

    const Timings small = addressBook(records, 1000, dir.filePath(QStringLiteral("book1k.pdf")));
    const QString bookPdf = dir.filePath(QStringLiteral("book10k.pdf"));
    const Timings book = addressBook(records, 10000, bookPdf);
    std::printf("%-44s %10s\n", "address book", "");
    for (const Timings* t : {&small, &book}) {
        std::printf("  %-42s %10.1f ms\n", (std::to_string(t->records) + " persons: sort and paginate").c_str(),
                    t->buildMs);
        std::printf("  %-42s %10.1f ms (%d pages)\n", (std::to_string(t->records) + " persons: print into PDF").c_str(),
                    t->pdfMs, t->pages);
    }
    std::printf("  %-42s %10.0f KiB\n", "10,000 persons: PDF size", double(QFileInfo(bookPdf).size()) / 1024);

    printFigure("weekly_plan_100k_ms", weekly.gatherMs + weekly.buildMs);
    printFigure("monthly_plan_100k_ms", monthly.gatherMs + monthly.buildMs);
    printFigure("weekly_plan_100k_pdf_ms", weekly.pdfMs);
    printFigure("monthly_plan_100k_pdf_ms", monthly.pdfMs);
    printFigure("address_book_10k_build_ms", book.buildMs);
    printFigure("address_book_10k_pdf_ms", book.buildMs + book.pdfMs);
    printFigure("address_book_pdf_ms_per_page", book.pdfMs / std::max(1, book.pages));
}
