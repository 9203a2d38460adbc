#include "StartupArguments.h"

#include "platform/ProgramIdentity.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Written here rather than by QCommandLineParser, which needs a running application for it: the
// help is answered before the display is opened.
const char kHelp[] = "Usage: tavoro [OPTION]... [FILE]...\n"
                     "Personal organizer: address book, tasks, appointments and reminders in one document.\n"
                     "\n"
                     "  -h, --help      show this help and exit\n"
                     "  -v, --version   show the version and exit\n"
                     "      --no-splash open the window at once, without the start-up picture\n"
                     "\n"
                     "FILE is a Tavoro! document (.pgr). Without one, the last document used is opened\n"
                     "when \"Open Last File On Start\" is ticked.\n";

// What QGuiApplication and QApplication take from the command line themselves.
const QStringList kToolkitOptions = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "qwindowicon",
    "qwindowtitle",    "reverse",
    "session",         "display",
    "geometry",        "style",
    "stylesheet",      "widgetcount",
};

} // namespace

StartupArguments StartupArguments::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QString());
    parser.addOptions({help, version, noSplash});
    // "-platform" is one option, as the toolkit reads it, not the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    StartupArguments result;
    if (!parser.parse(arguments)) {
        result.action = Action::Refuse;
        result.text = parser.errorText();
        const QStringList unknown = parser.unknownOptionNames();
        result.toolkitOptionsOnly = std::all_of(unknown.cbegin(), unknown.cend(),
                                                [](const QString& name) { return kToolkitOptions.contains(name); });
        return result;
    }
    if (parser.isSet(help)) {
        result.action = Action::ShowHelp;
        result.text = QLatin1String(kHelp);
        return result;
    }
    if (parser.isSet(version)) {
        result.action = Action::ShowVersion;
        result.text = QStringLiteral("tavoro %1\n").arg(platform::ProgramVersion());
        return result;
    }
    result.showSplash = !parser.isSet(noSplash);
    for (const QString& name : parser.positionalArguments()) {
        if (!name.isEmpty())
            result.fileNames.append(QDir::cleanPath(QFileInfo(name).absoluteFilePath()));
    }
    return result;
}
