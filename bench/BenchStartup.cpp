#include "BenchStartup.h"

#include "BenchGroup.h"
#include "BenchPrompt.h"
#include "BenchShell.h"
#include "BenchTiming.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "shell/HeldPromptService.h"
#include "shell/MainFrame.h"
#include "shell/SplashWindow.h"
#include "shell/StartupSequence.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// From an empty process's point of view: the window is built, the start-up runs, and the clock
// stops once the shown window has been painted.
double launchToWindow(const QString& path, bool splash) {
    QElapsedTimer timer;
    timer.start();
    SilentPrompt screen;
    HeldPromptService prompts(screen);
    MainFrame frame(prompts, QString());
    StartupSequence(frame, prompts).Run({path}, splash);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return elapsedMs(timer);
}

// The order before the document was read during the splash: the splash first, then the reading.
double splashThenReading(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    SilentPrompt screen;
    MainFrame frame(screen, QString());
    SplashWindow().exec();
    frame.OpenStartupDocument({path});
    frame.UpdateCommandStates();
    frame.show();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return elapsedMs(timer);
}

} // namespace

void runStartupBench() {
    QTemporaryDir dir;
    // Opening adds to the recent list: keep it out of the user's own settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    std::printf("%-44s %10s\n", "launch to window", "wall ms");
    for (int records : {10000, 100000}) {
        const QString path = dir.filePath(QStringLiteral("large-%1.pgr").arg(records));
        {
            PimDocument document;
            fillBenchDocument(document, DateTime::Today(), records);
            if (!DocumentStorage(document).WriteToFile(path)) {
                std::fprintf(stderr, "bench: cannot write %s\n", qPrintable(path));
                return;
            }
        }
        const std::string size = std::to_string(records / 1000) + "k";
        const double withSplash = launchToWindow(path, true);
        const double withoutSplash = launchToWindow(path, false);
        const double formerOrder = splashThenReading(path);
        std::printf("%-44s %10.1f\n", (size + " records, read while the splash shows").c_str(), withSplash);
        std::printf("%-44s %10.1f\n", (size + " records, --no-splash").c_str(), withoutSplash);
        std::printf("%-44s %10.1f\n", (size + " records, splash then reading (former)").c_str(), formerOrder);
        printFigure("startup_" + size + "_splash_ms", withSplash);
        printFigure("startup_" + size + "_no_splash_ms", withoutSplash);
        printFigure("startup_" + size + "_former_order_ms", formerOrder);
    }
}
