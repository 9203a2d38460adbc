#include "CliAdd.h"
#include "CliAgenda.h"
#include "CliBackups.h"
#include "CliCommand.h"
#include "CliDocfile.h"
#include "CliExchange.h"
#include "CliPrint.h"
#include "CliSync.h"
#include "CliTextio.h"
#include "CliUsage.h"
#include "platform/ProgramIdentity.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>

// Each command group lives in a file of its own, with its usage lines, and is listed here. A command
// with several forms (import, export) has a row for each.
static const CliCommand kCommands[] = {
    {"help", "help [COMMAND]", nullptr},
    {"resave", kResaveUsage, runResave},
    {"check", kCheckUsage, runCheck},
    {"export", kExportTextUsage, runExportCommand},
    {"export", kExportVCardUsage, runExportCommand},
    {"export", kExportICalUsage, runExportCommand},
    {"import", kImportTextUsage, runImportCommand},
    {"import", kImportVCardUsage, runImportCommand},
    {"import", kImportICalUsage, runImportCommand},
    {"backups", kBackupsUsage, runBackups},
    {"restore", kRestoreUsage, runRestore},
    {"print", kPrintUsage, runPrint},
    {"sync", kSyncUsage, runSync},
    {"agenda", kAgendaUsage, runAgenda},
    {"add", kAddUsage, runAdd},
};

namespace {

const CliCommand* findCommand(const QString& name) {
    for (const CliCommand& command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

bool isHelpOption(const QString& arg) {
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

// "--help" anywhere among a command's options; after "--" it would be a file name.
bool asksForHelp(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--"))
            return false;
        if (isHelpOption(arg))
            return true;
    }
    return false;
}

int printHelp() {
    std::fputs("usage: tavoro-cli COMMAND [ARGS]\n"
               "       tavoro-cli COMMAND --help | help [COMMAND] | --help | --version\n"
               "A file name of - stands for standard input or output.\n"
               "commands:\n",
               stdout);
    for (const CliCommand& command : kCommands)
        std::printf("  tavoro-cli %s\n", command.usage);
    return kCliSuccess;
}

// A command with several forms (import, export) has a row for each; all of them are its help.
int printCommandHelp(const CliCommand& command) {
    const char* prefix = "usage:";
    for (const CliCommand& row : kCommands) {
        if (std::strcmp(row.name, command.name) == 0) {
            std::printf("%s tavoro-cli %s\n", prefix, row.usage);
            prefix = "      ";
        }
    }
    return kCliSuccess;
}

int shortUsage(const char* problem, const QString& what) {
    if (problem)
        std::fprintf(stderr, "tavoro-cli: %s '%s'\n", problem, qPrintable(what));
    std::fputs("usage: tavoro-cli COMMAND [ARGS]\nTry 'tavoro-cli help' for the commands.\n", stderr);
    return kCliUsageError;
}

} // namespace

int main(int argc, char* argv[]) {
    // Printing needs a GUI application; without a display it runs offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quenset"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavoro!"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return shortUsage(nullptr, QString());
    const QString name = args.takeFirst();
    if (name == QLatin1String("--version") || name == QLatin1String("-v")) {
        std::printf("tavoro-cli %s\n", qPrintable(platform::ProgramVersion()));
        return kCliSuccess;
    }
    if (isHelpOption(name))
        return printHelp();
    const CliCommand* command = findCommand(name);
    if (!command)
        return shortUsage("unknown command", name);
    if (!command->run) {
        // help, or help COMMAND.
        if (args.isEmpty())
            return printHelp();
        const CliCommand* asked = findCommand(args.constFirst());
        return asked ? printCommandHelp(*asked) : shortUsage("unknown command", args.constFirst());
    }
    if (asksForHelp(args))
        return printCommandHelp(*command);
    return command->run(args);
}
