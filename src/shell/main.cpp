#include "MainFrame.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenset"));
    QApplication::setApplicationName(QStringLiteral("Tavoro!"));
    MainFrame frame;
    frame.resize(800, 600);
    frame.show();
    return app.exec();
}
