#include "BenchDocfile.h"

#include "BenchGroup.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "docfile/BackupStore.h"
#include "docfile/DocumentBatch.h"
#include "docfile/DocumentStorage.h"
#include "docfile/DocumentWriter.h"
#include "docfile/PimDocument.h"
#include "docfile/SimpleXMLParser.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <string>

namespace {

// Set in the environment of the child process that measures the memory of one load.
constexpr const char* kPeakChildVariable = "TAVORO_BENCH_LOAD_PEAK_FILE";

// Records that look like a real address book, task list and calendar: names, numbers and notes of
// ordinary lengths, some with markup characters and line breaks.
class RecordGenerator {
public:
    void Fill(PimDocument& document, int count) {
        for (int i = 0; i < count; ++i) {
            document.Add(MakePerson(i));
            document.Add(MakeTask(i));
            document.Add(MakeAppointment(i));
        }
        User user;
        user.FName = "Alex";
        user.LName = "Morgan";
        user.City = "Springfield";
        document.ChangeUser(user);
    }

private:
    std::string Pick(std::initializer_list<const char*> words) {
        std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
        return *(words.begin() + pick(m_random));
    }
    std::string Digits(int count) {
        std::uniform_int_distribution<int> digit(0, 9);
        std::string text;
        for (int i = 0; i < count; ++i)
            text.push_back(static_cast<char>('0' + digit(m_random)));
        return text;
    }
    DateTime Date(int yearFrom, int yearTo, bool withTime) {
        std::uniform_int_distribution<int> year(yearFrom, yearTo), month(1, 12), day(1, 28), hour(7, 20), quarter(0, 3);
        return DateTime(year(m_random), month(m_random), day(m_random), withTime ? hour(m_random) : 0,
                        withTime ? quarter(m_random) * 15 : 0, 0);
    }

    Person MakePerson(int i) {
        Person p;
        p.FName = Pick({"Anna", "Ben", "Carla", "David", "Eva", "Frank", "Greta", "Hugo", "Ines", "Jonas"});
        p.LName = Pick({"Meyer", "O'Brien", "Schmidt", "Novak", "Rossi", "Dubois", "Larsen", "Kowalski"});
        p.RName = p.LName + ", " + p.FName;
        p.Company = Pick({"A&B <Ltd>", "Northwind Traders", "Acme Corporation", "", "City Library"});
        p.Position = Pick({"Manager", "Engineer", "", "Clerk", "Director of Operations"});
        p.Addr1 = std::to_string(1 + i % 200) + " " + Pick({"Main Street", "Elm Road", "Harbour Lane", "Hill Way"});
        p.Addr2 = i % 5 == 0 ? "Apartment " + std::to_string(i % 40) : "";
        p.City = Pick({"Springfield", "Riverside", "Fairview", "Greenville"});
        p.State = Pick({"CA", "NY", "TX", "WA"});
        p.Zip = Digits(5);
        p.HmPhone = "(" + Digits(3) + ") " + Digits(3) + "-" + Digits(4);
        p.WkPhone = "(" + Digits(3) + ") " + Digits(3) + "-" + Digits(4);
        p.WkExt = i % 3 == 0 ? Digits(3) : "";
        p.Fax = i % 4 == 0 ? Digits(10) : "";
        p.CelPhone = Digits(10);
        p.Pager = "";
        p.EMail = p.FName + "." + std::to_string(i) + "@example.com";
        p.WebPage = i % 6 == 0 ? "http://www.example.com/" + std::to_string(i) : "";
        p.Notes = i % 4 == 0 ? "Met at the conference.\r\nCall back after the holidays." : "";
        p.WhitePages = i % 2;
        p.YellowPages = 1 - i % 2;
        return p;
    }
    Task MakeTask(int i) {
        Task t;
        t.Description = Pick({"Renew the car insurance", "Send the quarterly report", "Buy a birthday present",
                              "Call the plumber", "Review contract & sign"});
        t.Priority = i % 4;
        t.DueDate = Date(1995, 2030, false);
        t.DoneDate = t.Priority == Task::Done ? Date(1995, 2030, false) : DateTime();
        return t;
    }
    Appointment MakeAppointment(int) {
        Appointment a;
        a.Description = Pick({"Dentist", "Team meeting", "Lunch with Carla", "Parents' evening", "Flight to <Rome>"});
        a.DueDate = Date(1995, 2030, false);
        a.StartTime = Date(1995, 2030, true);
        a.EndTime = a.StartTime + DateTimeSpan(0, 1, 0, 0);
        a.Alarm = std::uniform_int_distribution<int>(0, 1)(m_random) != 0;
        a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, 15, 0);
        return a;
    }

    std::mt19937 m_random{20030510};
};

double mib(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

long statusKib(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

// In the child: load the file once and report the peak resident memory above the starting point,
// and what the loaded records keep, both in KiB.
void measureLoadPeak(const QString& path) {
    { std::ofstream("/proc/self/clear_refs") << "5"; } // restart the high-water mark from here
    const long before = statusKib("VmRSS");
    SilentPrompt prompt;
    PimDocument document;
    const bool loaded = DocumentStorage(document).ReadFromFile(path, prompt);
    const long peak = statusKib("VmHWM");
    const long after = statusKib("VmRSS");
    std::printf("load-peak: %d %ld %ld\n", loaded ? 1 : 0, peak - before, after - before);
}

struct PeakFigures {
    double peakMib = -1;
    double recordsMib = -1;
};

PeakFigures loadPeakInChild(const QString& path) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kPeakChildVariable), path);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("docfile")});
    if (!child.waitForFinished(120000))
        return {};
    int loaded = 0;
    long peak = 0, records = 0;
    // The child's output starts with the group heading; the figures follow their own label.
    const QByteArray output = child.readAllStandardOutput();
    const qsizetype at = output.indexOf("load-peak: ");
    if (at < 0 || std::sscanf(output.constData() + at, "load-peak: %d %ld %ld", &loaded, &peak, &records) != 3 ||
        !loaded) {
        std::fprintf(stderr, "bench: the load in the child process failed: %s\n", output.constData());
        return {};
    }
    return {peak / 1024.0, records / 1024.0};
}

// The heap in use, in MiB: resident memory would not show what the records take, for the heap
// keeps what earlier runs let go.
double heapMib() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// An import of 100,000 records of each kind as one undo step: what taking it back and making it
// again cost, and the heap after each (the step moves the records, it copies none).
void measureImportUndo() {
    PimDocument source;
    RecordGenerator().Fill(source, 100000);
    PimDocument document;
    const double before = heapMib();
    const Timing import = timeOnce([&] {
        DocumentBatch batch(document, QStringLiteral("Import"));
        for (const auto& [id, person] : source.Persons())
            document.Add(person);
        for (const auto& [id, task] : source.Tasks())
            document.Add(task);
        for (const auto& [id, appointment] : source.Appointments())
            document.Add(appointment);
    });
    const double imported = heapMib();
    const Timing undo = timeOnce([&] { document.Undo(); });
    const double undone = heapMib();
    const Timing redo = timeOnce([&] { document.Redo(); });
    const double redone = heapMib();
    std::printf("import of 3 x 100,000 records as one step: import %.0f ms, undo %.0f ms, redo %.0f ms; "
                "heap MiB above the start: %.1f imported, %.1f undone, %.1f redone\n",
                import.wallMs, undo.wallMs, redo.wallMs, imported - before, undone - before, redone - before);
    printFigure("undo_import_300k_ms", undo.wallMs);
    printFigure("redo_import_300k_ms", redo.wallMs);
    printFigure("undo_import_extra_mib", undone - imported);
}

} // namespace

void runDocfileBench() {
    if (qEnvironmentVariableIsSet(kPeakChildVariable)) {
        measureLoadPeak(qEnvironmentVariable(kPeakChildVariable));
        std::exit(0);
    }
    QTemporaryDir folder;
    SilentPrompt prompt;
    // The saves below measure the save alone; keeping the replaced file is measured on its own.
    platform::SettingsStore settings;
    settings.writeNumber(QStringLiteral("Files"), QStringLiteral("BackupCount"), 0);
    std::printf("%9s %9s %12s %12s %7s %9s %9s %9s %9s %10s %10s\n", "records", "file MiB", "parse MB/s",
                "pugixml MB/s", "ratio", "load ms", "load cpu", "save ms", "save MB/s", "peak MiB", "4xfile+rec");
    double ratio100k = 0, peak100k = 0, limit100k = 0;
    Timing load100k, save100k, writer100k;
    double megabytes100k = 0;
    QString path100k;
    for (int count : {1000, 10000, 100000}) {
        PimDocument source;
        RecordGenerator().Fill(source, count);
        const QString path = folder.filePath(QStringLiteral("bench-%1.pgr").arg(count));
        const int runs = count >= 100000 ? 3 : 5;

        // The parser first, on the text a save writes, while no save is still being written out
        // to the disk beside it.
        const std::string text = DocumentWriter::Write(source.Records());
        const double megabytes = static_cast<double>(text.size()) / 1e6;
        const Timing parse = bestOf(runs, [&] { SimpleXMLParser::Parser().Parse(text.data(), text.size()); });
        const Timing pugi = bestOf(runs, [&] {
            pugi::xml_document tree;
            tree.load_buffer(text.data(), text.size());
        });

        const Timing save = bestOf(runs, [&] { DocumentStorage(source).Save(path); });
        const Timing load = bestOf(runs, [&] {
            PimDocument loaded;
            DocumentStorage(loaded).ReadFromFile(path, prompt);
        });
        const PeakFigures peak = loadPeakInChild(path);
        const double limit = 4 * mib(static_cast<double>(text.size())) + peak.recordsMib;

        const double parseRate = megabytes / (parse.wallMs / 1000);
        const double pugiRate = megabytes / (pugi.wallMs / 1000);
        std::printf("%9d %9.1f %12.0f %12.0f %7.2f %9.0f %9.0f %9.0f %9.0f %10.1f %10.1f\n", count,
                    mib(static_cast<double>(text.size())), parseRate, pugiRate, parseRate / pugiRate, load.wallMs,
                    load.cpuMs, save.wallMs, megabytes / (save.wallMs / 1000), peak.peakMib, limit);
        if (count == 100000) {
            ratio100k = parseRate / pugiRate;
            load100k = load;
            save100k = save;
            peak100k = peak.peakMib;
            limit100k = limit;
            megabytes100k = megabytes;
            path100k = path;
            // Formatting alone, without the disk: what the format code costs.
            writer100k = bestOf(runs, [&] { DocumentWriter::Write(source.Records()); });
        }
    }
    std::printf("100,000 records: save %.0f ms (%.0f ms processor), of which formatting %.0f ms (%.0f ms processor)\n",
                save100k.wallMs, save100k.cpuMs, writer100k.wallMs, writer100k.cpuMs);
    settings.remove(QStringLiteral("Files"), QStringLiteral("BackupCount"));
    // The copy a save keeps of the file it replaces, each time into a folder without backups.
    int round = 0;
    const Timing backup =
        bestOf(3, [&] { BackupStore(folder.filePath(QStringLiteral("backups-%1").arg(++round)), 10).Keep(path100k); });
    std::printf("100,000 records: keeping the replaced file as a backup %.0f ms\n", backup.wallMs);
    printFigure("backup_copy_100k_ms", backup.wallMs);
    printFigure("parse_vs_pugixml", ratio100k);
    printFigure("load_100k_ms", load100k.wallMs);
    printFigure("load_100k_cpu_ms", load100k.cpuMs);
    printFigure("load_peak_rss_mib", peak100k);
    printFigure("load_peak_limit_mib", limit100k);
    printFigure("save_mb_per_s", megabytes100k / (save100k.wallMs / 1000));
    printFigure("save_format_mb_per_s", megabytes100k / (writer100k.wallMs / 1000));
    measureImportUndo();
}
