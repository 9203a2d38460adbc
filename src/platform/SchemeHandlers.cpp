#include "SchemeHandlers.h"

#include "platform/ProgramRunner.h"

#include <QStringList>

namespace platform {

SchemeHandlers::Answer SchemeHandlers::HandlerFor(const QString& scheme) {
    if (!m_xdgMime)
        m_xdgMime = m_runner.findProgram(QStringLiteral("xdg-mime"));
    if (m_xdgMime->isEmpty())
        return Answer::Unknown;
    const std::optional<ProgramOutput> handler = m_runner.run(
        *m_xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/") + scheme},
        QueryTimeoutMs);
    if (!handler)
        return Answer::Unknown;
    // xdg-mime prints the handler's desktop file name; with none registered it prints nothing (and
    // some versions also fail).
    if (handler->exitCode != 0 || handler->standardOutput.trimmed().isEmpty())
        return Answer::None;
    return Answer::Registered;
}

} // namespace platform
