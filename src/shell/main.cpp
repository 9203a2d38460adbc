#include "MainFrame.h"
#include "SplashWindow.h"
#include "platform/gui/QtPromptService.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenset"));
    QApplication::setApplicationName(QStringLiteral("Tavoro!"));

    // The help pages are installed beside the program.
    const QString helpFolder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help"));

    platform::QtPromptService prompt;
    MainFrame frame(prompt, helpFolder);
    prompt.setParent(&frame);

    SplashWindow splash;
    splash.exec();

    // Every argument is one file name; the shell has already split and unquoted them.
    QStringList fileNames = QCoreApplication::arguments();
    fileNames.removeFirst();
    frame.OpenStartupDocument(fileNames);
    frame.OfferRecoveredCopies();

    frame.CentreOnScreen();
    frame.show();
    // A normal close ends the loop with 0, which every launcher and script reads as success.
    return app.exec();
}
