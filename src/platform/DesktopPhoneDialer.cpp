#include "DesktopPhoneDialer.h"

#include "platform/ContactUrls.h"
#include "platform/ProgramRunner.h"
#include "platform/UrlOpener.h"

namespace platform {

DialResult DesktopPhoneDialer::dial(const QString& number) {
    if (!m_xdgMime)
        m_xdgMime = m_runner.findProgram(QStringLiteral("xdg-mime"));
    if (m_xdgMime->isEmpty())
        return DialResult::Failed;

    const std::optional<QUrl> url = telUrl(number);
    if (!url)
        return DialResult::InvalidNumber;

    const std::optional<ProgramOutput> handler = m_runner.run(
        *m_xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/tel")},
        QueryTimeoutMs);
    if (!handler)
        return DialResult::Failed;
    // xdg-mime prints the handler's desktop file name; with none registered it prints nothing (and
    // some versions also fail).
    if (handler->exitCode != 0 || handler->standardOutput.trimmed().isEmpty())
        return DialResult::NoDialer;
    return m_opener.open(*url) ? DialResult::Placed : DialResult::Failed;
}

} // namespace platform
