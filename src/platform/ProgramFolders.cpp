#include "ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString DataFolderFor(const QString& programFolder) {
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/tavoro"));
    return QDir(installed).exists() ? installed : QDir::cleanPath(programFolder);
}

QString DataFolder() {
    return DataFolderFor(QCoreApplication::applicationDirPath());
}

} // namespace platform
