#include "BenchExchange.h"

#include "BenchGroup.h"
#include "BenchMeetings.h"
#include "BenchTiming.h"
#include "docfile/PimDocument.h"
#include "exchange/CalendarExchange.h"
#include "exchange/VCardExchange.h"

#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 3;

void fillPersons(PimDocument& document) {
    const char* first[] = {"Anna", "Ben", "Carla", "David", "Eva", "Frank", "Greta", "Hugo"};
    const char* last[] = {"Meyer", "O'Brien", "Schmidt", "Novak", "Rossi", "M\xc3\xbcller", "Larsen"};
    for (int i = 0; i < kRecords; ++i) {
        Person p;
        p.FName = first[i % 8];
        p.LName = std::string(last[i % 7]) + std::to_string(i); // every person a different one
        p.RName = DisplayName(p);
        p.Company = i % 3 ? "Northwind Traders, Inc." : "";
        p.Addr1 = std::to_string(1 + i % 200) + " Main Street";
        p.City = "Springfield";
        p.State = "IL";
        p.Zip = std::to_string(60000 + i % 1000);
        p.HmPhone = "(555) 01" + std::to_string(10 + i % 90);
        p.WkPhone = "(555) 02" + std::to_string(10 + i % 90);
        p.WkExt = i % 4 ? "" : "12";
        p.EMail = p.FName + std::to_string(i) + "@example.org";
        p.Notes = i % 5 ? "" : "Met at the fair, 2003.\nCall back; about the offer.";
        p.WhitePages = 1;
        document.Add(std::move(p));
    }
}

// Eight appointments a day with gaps between them, so that none collides.
void fillAppointments(PimDocument& document) {
    for (int i = 0; i < kRecords; ++i) {
        document.Add(BenchMeeting(DateTime(2000, 1, 1, 0, 0, 0), i, "Meeting " + std::to_string(i) + ", room \"B\""));
    }
}

// The same, with every tenth a weekly series (half of them in New York's zone) and the one after it
// a moved occurrence of that series.
void fillSeries(PimDocument& document) {
    int series = 0;
    for (int i = 0; i < kRecords; ++i) {
        Appointment a = BenchMeeting(DateTime(2000, 1, 1, 0, 0, 0), i, "Meeting " + std::to_string(i));
        if (i % 10 == 0) {
            a.RRule = "FREQ=WEEKLY;COUNT=20";
            a.TimeZone = i % 20 == 0 ? "America/New_York" : "";
            a.ExDates = {CalendarDate::Of(a.DueDate) + 14};
            series = *document.Add(std::move(a));
            continue;
        }
        if (i % 10 == 1) {
            const Appointment& first = *document.Appointments().Find(series);
            a.SeriesID = series;
            a.OriginalDate = CalendarDate::Of(first.DueDate) + 7;
        }
        document.Add(std::move(a));
    }
}

template <class Export, class Import>
void measure(const char* name, const PimDocument& source, const QString& path, Export&& exportTo, Import&& importFrom) {
    ExchangeReport written(ExchangeReport::Kind::Contacts);
    const Timing exporting = bestOf(kRuns, [&] { written = exportTo(source, path); });
    ExchangeReport read(ExchangeReport::Kind::Contacts);
    Timing importing;
    for (int run = 0; run < kRuns; ++run) {
        auto target = std::make_unique<PimDocument>(); // made and dropped outside the timing
        keepBest(importing, timeOnce([&] { read = importFrom(*target, path); }));
    }
    std::printf("%-22s export %7.1f ms %8.0f rec/s  import %7.1f ms %8.0f rec/s  [wall: export %7.1f, import %7.1f]\n",
                name, exporting.cpuMs, written.written / exporting.cpuMs * 1000, importing.cpuMs,
                read.Added() / importing.cpuMs * 1000, exporting.wallMs, importing.wallMs);
    if (written.Failed() || written.written != kRecords || read.Added() != kRecords)
        std::printf("  !! %s: wrote %d, added %d\n", name, written.written, read.Added());
    const std::string figure = name;
    printFigure("export_" + figure + "_100k_ms", exporting.cpuMs);
    printFigure("import_" + figure + "_100k_ms", importing.cpuMs);
    printFigure("export_" + figure + "_records_per_s", written.written / exporting.cpuMs * 1000);
    printFigure("import_" + figure + "_records_per_s", read.Added() / importing.cpuMs * 1000);
}

} // namespace

void runExchangeBench() {
    QTemporaryDir dir;
    std::printf("100,000 records each; processor time of the best of %d runs [wall clock]\n", kRuns);
    {
        PimDocument persons;
        fillPersons(persons);
        measure(
            "vcard_persons", persons, dir.filePath(QStringLiteral("persons.vcf")),
            [](const PimDocument& d, const QString& p) { return vcardexchange::ExportFile(d, p, {}); },
            [](PimDocument& d, const QString& p) { return vcardexchange::ImportFile(d, p); });
    }
    PimDocument appointments;
    fillAppointments(appointments);
    calendarexchange::ImportOptions options;
    options.today = DateTime(2010, 1, 1, 0, 0, 0);
    options.from = DateTime(1999, 1, 1, 0, 0, 0);
    options.to = DateTime(2040, 1, 1, 0, 0, 0);
    measure(
        "ical_appointments", appointments, dir.filePath(QStringLiteral("appointments.ics")),
        [](const PimDocument& d, const QString& p) { return calendarexchange::ExportFile(d, p, {}); },
        [&options](PimDocument& d, const QString& p) { return calendarexchange::ImportFile(d, p, options); });
    PimDocument series;
    fillSeries(series);
    measure(
        "ical_series", series, dir.filePath(QStringLiteral("series.ics")),
        [](const PimDocument& d, const QString& p) { return calendarexchange::ExportFile(d, p, {}); },
        [&options](PimDocument& d, const QString& p) { return calendarexchange::ImportFile(d, p, options); });
}
