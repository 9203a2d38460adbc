#include "BenchSync.h"

#include "BenchGroup.h"
#include "BenchMeetings.h"
#include "BenchTiming.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "exchange/RecordUid.h"
#include "support/RadicaleServer.h"
#include "sync/RecordText.h"
#include "sync/Sync.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

namespace {

// `tavoro-bench sync 10000` for the full size; the default keeps a run of every group short.
// `tavoro-bench sync 10000 filled` puts the objects into the server's store beforehand, as another
// device would have, so the first sync is a full comparison instead of ten thousand uploads (each
// of which Radicale takes longer over the fuller the collection is).
constexpr int kDefaultRecords = 300;

void fill(PimDocument& document, int count) {
    for (int i = 0; i < count; ++i) {
        Person p;
        p.FName = "Anna";
        p.LName = "Meyer" + std::to_string(i);
        p.Company = i % 3 ? "Northwind Traders, Inc." : "";
        p.Addr1 = std::to_string(1 + i % 200) + " Main Street";
        p.City = "Springfield";
        p.HmPhone = "(555) 01" + std::to_string(10 + i % 90);
        p.EMail = "anna" + std::to_string(i) + "@example.org";
        p.WhitePages = 1;
        document.Add(std::move(p));
        document.Add(BenchMeeting(DateTime(2026, 1, 1, 0, 0, 0), i, "Meeting " + std::to_string(i)));
    }
}

void writeFile(const QString& path, const std::string& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.data(), static_cast<qint64>(text.size()));
}

// Each record as the object this program would have uploaded, under its UID, in Radicale's store.
template <class Record>
void store(const QString& folder, const char* tag, const RecordCollection<Record>& records, RecordKind kind,
           const char* extension) {
    QDir().mkpath(folder);
    writeFile(folder + QStringLiteral("/.Radicale.props"), std::string("{\"tag\": \"") + tag + "\"}");
    for (const auto& [id, record] : records) {
        const std::string uid = recorduid::Uid(QStringLiteral("bench.pgr"), kind, id);
        const std::string cardUid = kind == RecordKind::Person ? "urn:uuid:" + uid : uid;
        writeFile(folder + QLatin1Char('/') + QString::fromStdString(uid) + QLatin1String(extension),
                  recordtext::Render(record, cardUid));
    }
}

} // namespace

void runSyncBench() {
    const QStringList args = QCoreApplication::arguments();
    const int count = args.size() > 2 ? std::max(1, args.at(2).toInt()) : kDefaultRecords;
    const bool filled = args.size() > 3 && args.at(3) == QLatin1String("filled");
    RadicaleServer server;
    QTemporaryDir folder;
    PimDocument document;
    DocumentStorage storage(document);
    fill(document, count);
    if (filled) {
        const QString user = server.StoragePath() + QStringLiteral("/collection-root/bench/");
        store(user + QStringLiteral("tavoro-contacts"), "VADDRESSBOOK", document.Persons(), RecordKind::Person,
              ".vcf");
        store(user + QStringLiteral("tavoro-calendar"), "VCALENDAR", document.Appointments(),
              RecordKind::Appointment, ".ics");
    }
    if (!server.Start()) {
        std::fprintf(stderr, "sync: %s\n", qPrintable(server.Problem()));
        return;
    }
    const QString path = folder.filePath(QStringLiteral("bench.pgr"));
    storage.Save(path);
    storage.SetFileName(path);
    davsync::SyncAccount account;
    account.server = server.Url();
    account.user = QStringLiteral("bench");
    account.timeoutSeconds = 300;

    const std::string size = std::to_string(count) + "+" + std::to_string(count);
    const std::string first = filled ? "sync_compare_filled_" : "sync_first_";
    davsync::SyncReport report;
    const Timing once = timeOnce([&] { report = davsync::Synchronize(storage, account); });
    std::printf("%s sync of %d persons and %d appointments: %d uploaded, %d downloaded, %d conflicts%s\n",
                filled ? "comparing" : "first", count, count, report.uploaded, report.downloaded,
                int(report.conflicts.size()),
                report.Succeeded() ? "" : qPrintable(QStringLiteral(", failed: ") + report.failure));
    printFigure(first + size + "_ms", once.wallMs);
    printFigure(first + size + "_cpu_ms", once.cpuMs);

    const Timing unchanged = bestOf(3, [&] { report = davsync::Synchronize(storage, account); });
    std::printf("unchanged re-sync: %d uploaded, %d downloaded\n", report.uploaded, report.downloaded);
    printFigure("sync_unchanged_" + size + "_ms", unchanged.wallMs);
    printFigure("sync_unchanged_" + size + "_cpu_ms", unchanged.cpuMs);
}
