#pragma once

#include <QString>

namespace platform {

// The folder of the help pages and the default alarm sound. Installed, they are in share/tavoro
// next to the program's bin folder, whatever the prefix (/usr, /usr/local, a package's tree);
// in the build tree they are copied beside the program itself.
QString DataFolder();
// The same rule for a given program folder.
QString DataFolderFor(const QString& programFolder);
// The user's own data folder for this program (backups, recovery files, locks that cannot sit
// beside their document); empty when the system names none.
QString UserDataFolder();

} // namespace platform
