#include "HeldPromptService.h"
#include "MainFrame.h"
#include "StartupArguments.h"
#include "StartupSequence.h"
#include "platform/ProgramFolders.h"
#include "platform/ProgramIdentity.h"
#include "platform/gui/QtPromptService.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

QStringList rawArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Help and version to standard output; refused arguments to standard error with the usage
// error's exit status.
int answer(const StartupArguments& arguments) {
    if (arguments.action == StartupArguments::Action::Refuse) {
        std::fprintf(stderr, "tavoro: %s\nTry 'tavoro --help' for more information.\n", qPrintable(arguments.text));
        return 2;
    }
    std::fputs(arguments.text.toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // --help, --version and unknown options are answered before the display is opened, so they
    // work without one.
    StartupArguments arguments = StartupArguments::Parse(rawArguments(argc, argv));
    if (arguments.action != StartupArguments::Action::Run && !arguments.toolkitOptionsOnly)
        return answer(arguments);

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenset"));
    QApplication::setApplicationName(QStringLiteral("Tavoro!"));
    QApplication::setApplicationVersion(platform::ProgramVersion());
    QGuiApplication::setDesktopFileName(platform::ApplicationId());
    // Qt has taken its own options (-platform, -style, ...) out by now.
    if (arguments.action == StartupArguments::Action::Refuse)
        arguments = StartupArguments::Parse(QCoreApplication::arguments());
    if (arguments.action != StartupArguments::Action::Run)
        return answer(arguments);

    const QString helpFolder = QDir(platform::DataFolder()).filePath(QStringLiteral("help"));

    platform::QtPromptService prompt;
    HeldPromptService heldPrompt(prompt);
    MainFrame frame(heldPrompt, helpFolder);
    prompt.setParent(&frame);

    StartupSequence(frame, heldPrompt).Run(arguments.fileNames, arguments.showSplash);
    // A normal close ends the loop with 0, which every launcher and script reads as success.
    return app.exec();
}
