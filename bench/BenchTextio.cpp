#include "BenchTextio.h"

#include "BenchGroup.h"
#include "BenchTiming.h"
#include "docfile/PimDocument.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/RecordReader.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 7;

// Stands in for the day view: an import is one batch and tells it once, at the end.
class CountingObserver : public DocumentObserver {
public:
    void DocumentChanged(PimDocument&) override { ++changes; }
    long changes = 0;
};

const char* pick(const std::vector<const char*>& words, int i) {
    return words[static_cast<size_t>(i) % words.size()];
}

void fill(PimDocument& document) {
    const std::vector<const char*> first = {"Anna", "Ben", "Carla", "David", "Eva", "Frank", "Greta", "Hugo"};
    const std::vector<const char*> last = {"Meyer", "O'Brien", "Schmidt", "Novak", "Rossi", "M\xfcller", "Larsen"};
    const std::vector<const char*> companies = {"Northwind Traders", "Acme \"Quality\" Corp.", "", "City Library"};
    for (int i = 0; i < kRecords; ++i) {
        Person p;
        p.FName = pick(first, i);
        p.LName = pick(last, i / 8);
        p.RName = DisplayName(p);
        p.Company = pick(companies, i / 3);
        p.Position = i % 3 ? "Engineer" : "";
        p.Addr1 = std::to_string(1 + i % 200) + " Main Street";
        p.City = "Springfield";
        p.State = "IL";
        p.Zip = std::to_string(60000 + i % 1000);
        p.HmPhone = "(555) 01" + std::to_string(10 + i % 90);
        p.WkPhone = "(555) 02" + std::to_string(10 + i % 90);
        p.EMail = std::string(p.FName) + "@example.org";
        p.Notes = i % 5 ? "" : "Met at the fair, 2003.\nCall back, about the offer.";
        p.WhitePages = 1;
        document.Add(p);

        Task t;
        t.Description = std::string("Follow up on order #") + std::to_string(i) + ", call \"desk\"";
        t.DueDate = DateTime(2000 + i % 30, 1 + i % 12, 1 + i % 28, 0, 0, 0);
        t.Priority = i % 4;
        document.Add(t);

        // Eight appointments a day with gaps between them, so that none collides.
        const DateTime day = DateTime(2000, 1, 1, 0, 0, 0) + DateTimeSpan(static_cast<double>(i / 8));
        const int start = 8 * 60 + (i % 8) * 75;
        const CalendarRecord d = day.ToCalendarRecord();
        Appointment a;
        a.Description = std::string("Meeting ") + std::to_string(i) + " with " + pick(first, i);
        a.DueDate = day;
        a.StartTime = DateTime(d.year, d.month, d.day, start / 60, start % 60, 0);
        a.EndTime = DateTime(d.year, d.month, d.day, (start + 60) / 60, (start + 60) % 60, 0);
        a.Alarm = i % 2;
        a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, 15, 0);
        document.Add(a);
    }
}

// The floor for any reader of the same file: lines cut at every Separator into the fields' texts,
// nothing unquoted, converted or stored. The views variant does not even copy the fields.
long plainSplit(const QString& path, char separator) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::string line;
    std::vector<std::string> fields;
    long count = 0;
    while (std::getline(in, line)) {
        size_t used = 0;
        std::string_view rest = line;
        while (true) {
            const size_t cut = rest.find(separator);
            if (used == fields.size())
                fields.emplace_back();
            fields[used++].assign(rest.substr(0, cut));
            if (cut == std::string_view::npos)
                break;
            rest.remove_prefix(cut + 1);
        }
        count += static_cast<long>(used);
    }
    return count;
}

long plainSplitViews(const QString& path, char separator) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::string line;
    std::vector<std::string_view> fields;
    long count = 0;
    while (std::getline(in, line)) {
        fields.clear();
        std::string_view rest = line;
        for (size_t cut; (cut = rest.find(separator)) != std::string_view::npos; rest.remove_prefix(cut + 1))
            fields.push_back(rest.substr(0, cut));
        fields.push_back(rest);
        count += static_cast<long>(fields.size());
    }
    return count;
}

void measure(RecordKind kind, const PimDocument& source, const QTemporaryDir& dir) {
    const std::string name = QString::fromLatin1(RecordCollectionName(kind)).toLower().toStdString();
    const QString path = dir.filePath(QString::fromStdString(name) + QStringLiteral(".csv"));
    DelimitedTextSettings out = DelimitedTextSettings::ForExport(kind);
    out.ApplyDefaultFormat();
    out.SelectedFields = out.AvailableFields;
    out.FilePath = path;
    int written = 0;
    const Timing exporting = bestOf(kRuns, [&] { written = ExportRecords(source.Records(), out); });

    DelimitedTextSettings in = DelimitedTextSettings::ForImport(kind);
    in.ApplyDefaultFormat();
    in.FilePath = path;
    RecordReader header(path, in.MakeTokenizer());
    DelimitedRecord names;
    header.Next(names);
    in.FirstLine = header.Text();
    in.ListFirstLineFields();
    in.AssignColumnsByName();
    int added = 0;
    std::unique_ptr<PimDocument> target;
    CountingObserver observer;
    // Import and split take turns, so that both see the machine in the same mood. The ratio is
    // given both ways: best against best, and the median of the rounds' own ratios.
    Timing importing;
    Timing split;
    Timing views;
    std::vector<double> ratios;
    long fields = 0;
    for (int round = 0; round < kRuns; ++round) {
        // A fresh document; making it and dropping the last one is not timed.
        target = std::make_unique<PimDocument>();
        // glibc tidies the small blocks of the dropped document at the next large request; let
        // that be this one rather than the first inside the timed import.
        std::free(std::malloc(64 * 1024));
        target->AddObserver(&observer);
        observer.changes = 0;
        const Timing oneImport = timeOnce([&] { added = ImportRecords(*target, in).value_or(0); });
        const Timing oneSplit = timeOnce([&] { fields = plainSplit(path, ','); });
        keepBest(importing, oneImport);
        keepBest(split, oneSplit);
        keepBest(views, timeOnce([&] { fields = plainSplitViews(path, ','); }));
        ratios.push_back(oneImport.cpuMs / oneSplit.cpuMs);
    }
    std::sort(ratios.begin(), ratios.end());
    const double medianRatio = ratios[ratios.size() / 2];
    const double ratio = importing.cpuMs / split.cpuMs;

    const double megabytes = static_cast<double>(QFileInfo(path).size()) / 1e6;
    std::printf(
        "%-13s %5.1f MB  export %6.1f ms %7.0f rec/s  import %6.1f ms %7.0f rec/s  split %5.1f ms"
        " (views %5.1f)  import/split %4.1f (median round %4.1f)  [wall: export %6.1f, import %6.1f, split %5.1f]\n",
        name.c_str(), megabytes, exporting.cpuMs, written / exporting.cpuMs * 1000, importing.cpuMs,
        added / importing.cpuMs * 1000, split.cpuMs, views.cpuMs, ratio, medianRatio, exporting.wallMs,
        importing.wallMs, split.wallMs);
    if (written != kRecords || added != kRecords || observer.changes != 1 || fields == 0)
        std::printf("  !! %s: wrote %d, added %d, %ld notices\n", name.c_str(), written, added, observer.changes);
    printFigure("export_" + name + "_100k_ms", exporting.cpuMs);
    printFigure("import_" + name + "_100k_ms", importing.cpuMs);
    printFigure("import_" + name + "_100k_wall_ms", importing.wallMs);
    printFigure("split_" + name + "_100k_ms", split.cpuMs);
    printFigure("export_" + name + "_records_per_s", written / exporting.cpuMs * 1000);
    printFigure("import_" + name + "_records_per_s", added / importing.cpuMs * 1000);
    const std::string suffix = name == "persons" ? std::string() : "_" + name;
    printFigure("import_vs_split" + suffix, ratio);
    printFigure("import_vs_split_median_round" + suffix, medianRatio);
    printFigure("import_vs_split_views" + suffix, importing.cpuMs / views.cpuMs);
}

// One person whose notes span `lines` lines, imported: ten times the lines must cost about ten
// times as much, however the pieces of the file cut the field.
double multiLineImportMs(const QTemporaryDir& dir, int lines) {
    const QString path = dir.filePath(QStringLiteral("multiline.csv"));
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << "\"FirstName\",\"Notes\"\n\"Anna\",\"";
        for (int i = 0; i < lines; ++i)
            out << "Line " << i << " of a long note, with \"\"quotes\"\" and, commas\r\n";
        out << "\"\n";
    }
    DelimitedTextSettings in = DelimitedTextSettings::ForImport(RecordKind::Person);
    in.ApplyDefaultFormat();
    in.FilePath = path;
    in.SelectedFields = {"FirstName", "Notes"};
    in.ColumnCount = 2;
    return bestOf(3,
                  [&] {
                      PimDocument target;
                      ImportPersons(target, in, nullptr);
                  })
        .cpuMs;
}

} // namespace

void runTextioBench() {
    // The locale the tests use, so that figures from different machines compare.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    PimDocument source;
    fill(source);
    QTemporaryDir dir;
    std::printf("100,000 records each; processor time of the best of %d runs [wall clock]; the import notifies its\n"
                "observer once; split: lines cut into field texts (views: not even copied)\n",
                kRuns);
    for (RecordKind kind : kRecordKinds)
        measure(kind, source, dir);
    const double short10k = multiLineImportMs(dir, 10000);
    const double long100k = multiLineImportMs(dir, 100000);
    std::printf("one field of 10,000 lines %6.1f ms, of 100,000 lines %6.1f ms (ratio %4.1f)\n", short10k, long100k,
                long100k / short10k);
    printFigure("import_multiline_10k_lines_ms", short10k);
    printFigure("import_multiline_100k_lines_ms", long100k);
    QLocale::setDefault(previous);
}
