#include "ProgramIdentity.h"

// Both come from the build, which names the installed files after the same values.
namespace platform {

QString ApplicationId() {
    return QStringLiteral(TAVORO_APP_ID);
}

QString ProgramVersion() {
    return QStringLiteral(TAVORO_VERSION);
}

} // namespace platform
