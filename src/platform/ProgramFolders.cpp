#include "ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

QString DataFolderFor(const QString& programFolder) {
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/tavoro"));
    return QDir(installed).exists() ? installed : QDir::cleanPath(programFolder);
}

QString DataFolder() {
    return DataFolderFor(QCoreApplication::applicationDirPath());
}

QString UserDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace platform
