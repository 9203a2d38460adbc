#pragma once

#include <QString>

namespace platform {

// The reverse-DNS name under which the desktop knows the program: its desktop entry, icons,
// AppStream file and the windows it opens all carry it.
QString ApplicationId();
// The release, as the package and --version give it ("1.5").
QString ProgramVersion();

} // namespace platform
