#include "BenchSync.h"

#include "BenchGroup.h"
#include "BenchTiming.h"
#include "docfile/PimDocument.h"
#include "support/RadicaleServer.h"
#include "sync/Sync.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

namespace {

// `tavoro-bench sync 10000` for the full size; the default keeps a run of every group short.
constexpr int kDefaultRecords = 1000;

void fill(PimDocument& document, int count) {
    for (int i = 0; i < count; ++i) {
        Person& p = *document.Persons.AddNew();
        p.FName = "Anna";
        p.LName = "Meyer" + std::to_string(i);
        p.Company = i % 3 ? "Northwind Traders, Inc." : "";
        p.Addr1 = std::to_string(1 + i % 200) + " Main Street";
        p.City = "Springfield";
        p.HmPhone = "(555) 01" + std::to_string(10 + i % 90);
        p.EMail = "anna" + std::to_string(i) + "@example.org";
        p.WhitePages = 1;
        const DateTime day = DateTime(2026, 1, 1, 0, 0, 0) + DateTimeSpan(static_cast<double>(i / 8));
        const CalendarRecord d = day.ToCalendarRecord();
        const int start = 8 * 60 + (i % 8) * 75;
        Appointment& a = *document.Appointments.AddNew();
        a.Description = "Meeting " + std::to_string(i);
        a.DueDate = day;
        a.StartTime = DateTime(d.year, d.month, d.day, start / 60, start % 60, 0);
        a.EndTime = DateTime(d.year, d.month, d.day, (start + 60) / 60, (start + 60) % 60, 0);
        a.Alarm = i % 2;
        a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, 15, 0);
    }
}

} // namespace

void runSyncBench() {
    const QStringList args = QCoreApplication::arguments();
    const int count = args.size() > 2 ? std::max(1, args.at(2).toInt()) : kDefaultRecords;
    RadicaleServer server;
    if (!server.Start()) {
        std::fprintf(stderr, "sync: %s\n", qPrintable(server.Problem()));
        return;
    }
    QTemporaryDir folder;
    PimDocument document;
    fill(document, count);
    const QString path = folder.filePath(QStringLiteral("bench.pgr"));
    document.Save(path);
    document.SetFileName(path);
    davsync::SyncAccount account;
    account.server = server.Url();
    account.user = QStringLiteral("bench");
    account.timeoutSeconds = 120;

    const std::string size = std::to_string(count) + "+" + std::to_string(count);
    davsync::SyncReport report;
    const Timing first = timeOnce([&] { report = davsync::Synchronize(document, account); });
    std::printf("first sync of %d persons and %d appointments: %d uploaded%s\n", count, count, report.uploaded,
                report.Succeeded() ? "" : qPrintable(QStringLiteral(", failed: ") + report.failure));
    printFigure("sync_first_" + size + "_ms", first.wallMs);
    printFigure("sync_first_" + size + "_cpu_ms", first.cpuMs);

    // The re-sync after the first one lists what the first wrote; the ones after find nothing.
    Timing after = timeOnce([&] { report = davsync::Synchronize(document, account); });
    printFigure("sync_after_first_" + size + "_ms", after.wallMs);
    const Timing unchanged = bestOf(3, [&] { report = davsync::Synchronize(document, account); });
    std::printf("unchanged re-sync: %d uploaded, %d downloaded\n", report.uploaded, report.downloaded);
    printFigure("sync_unchanged_" + size + "_ms", unchanged.wallMs);
    printFigure("sync_unchanged_" + size + "_cpu_ms", unchanged.cpuMs);
}
