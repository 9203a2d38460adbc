#include "BenchAgenda.h"
#include "BenchBirthdays.h"
#include "BenchDocfile.h"
#include "BenchExchange.h"
#include "BenchGroup.h"
#include "BenchOccurrences.h"
#include "BenchReports.h"
#include "BenchShell.h"
#include "BenchStartup.h"
#include "BenchSync.h"
#include "BenchTextio.h"
#include "BenchWeek.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstring>

// Each group lives in a file of its own and is listed here.
static const BenchGroup kGroups[] = {
    {"none", nullptr},
    {"reports", runReportsBench},
    {"docfile", runDocfileBench},
    {"shell", runShellBench},
    {"textio", runTextioBench},
    {"startup", runStartupBench},
    {"exchange", runExchangeBench},
    {"sync", runSyncBench},
    {"occurrences", runOccurrencesBench},
    {"birthdays", runBirthdaysBench},
    {"week", runWeekBench},
    {"agenda", runAgendaBench},
};

int main(int argc, char* argv[]) {
    // The shell group drives real widgets; without a display they run offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Saves keep backups and recovery files in the data folder, and read and write settings: the
    // bench's go to folders of its own, so that a run neither fills nor changes the user's.
    QTemporaryDir data;
    QTemporaryDir config;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    bool ran = false;
    for (const BenchGroup& group : kGroups) {
        if (!group.run)
            continue;
        if (argc < 2 || std::strcmp(argv[1], group.name) == 0) {
            std::printf("== %s ==\n", group.name);
            group.run();
            ran = true;
        }
    }
    if (!ran && argc >= 2) {
        std::fprintf(stderr, "tavoro-bench: unknown group '%s'\n", argv[1]);
        return 1;
    }
    return 0;
}
