#pragma once

#include "platform/PhoneDialer.h"

#include <optional>

namespace platform {

class ProgramRunner;
class UrlOpener;

// Hands the number as a "tel:" address to the desktop's handler for that scheme. Whether a handler
// is registered is asked with xdg-mime before each call, so a dialer installed while the program
// runs is found; xdg-mime itself is looked for once, and its absence is remembered. A desktop
// handler keeps no queue, so this dialer never answers QueueFull.
class DesktopPhoneDialer : public PhoneDialer {
public:
    DesktopPhoneDialer(ProgramRunner& runner, UrlOpener& opener) : m_runner(runner), m_opener(opener) {}

    DialResult dial(const QString& number) override;

    static constexpr int QueryTimeoutMs = 3000;

private:
    ProgramRunner& m_runner;
    UrlOpener& m_opener;
    std::optional<QString> m_xdgMime; // its path once looked for; empty when it is missing
};

} // namespace platform
