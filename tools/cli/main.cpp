#include "CliCommand.h"
#include "CliDocfile.h"
#include "CliPrint.h"
#include "CliTextio.h"

#include <QGuiApplication>

#include <cstdio>
#include <iterator>

// Each command group lives in a file of its own and is listed here.
static const CliCommand kCommands[] = {
    {"help", "help", nullptr},
    {"resave", "resave IN OUT", runResave},
    {"check", "check FILE", runCheck},
    {"export",
     "export persons|tasks|appointments DOC OUT.csv [--separator C|tab] [--encloser C|none] [--no-header] "
     "[--columns NAME,...]",
     runExport},
    {"import",
     "import persons|tasks|appointments DOC IN.csv [--separator C|tab] [--encloser C|none] [--no-header] "
     "[--columns NAME,...]",
     runImport},
    {"print",
     "print REPORT DOC [--date YYYY-MM-DD] [--white] [--yellow] --pdf OUT.pdf [--font FACE] [--size POINTS] "
     "[--paper NAME] [--landscape] [--margins MM]",
     runPrint},
};

static void printUsage() {
    std::fputs("usage: tavoro-cli COMMAND [ARGS]\ncommands:\n", stderr);
    for (const CliCommand& command : kCommands)
        std::fprintf(stderr, "  tavoro-cli %s\n", command.usage);
}

int main(int argc, char* argv[]) {
    // Printing needs a GUI application; without a display it runs offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quenset"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavoro!"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        printUsage();
        return 1;
    }
    const QString name = args.takeFirst();
    for (const CliCommand& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            if (!command.run) {
                printUsage();
                return 0;
            }
            return command.run(args);
        }
    }
    std::fprintf(stderr, "tavoro-cli: unknown command '%s'\n", qPrintable(name));
    printUsage();
    return 1;
}
