#pragma once

#include "platform/PhoneDialer.h"
#include "platform/SchemeHandlers.h"

namespace platform {

class UrlOpener;

// Hands the number as a "tel:" address to the desktop's handler for that scheme, once the desktop
// says that one is registered. A desktop handler keeps no queue, so this dialer never answers
// QueueFull.
class DesktopPhoneDialer : public PhoneDialer {
public:
    DesktopPhoneDialer(SchemeHandlers& handlers, UrlOpener& opener) : m_handlers(handlers), m_opener(opener) {}

    DialResult dial(const QString& number) override;

private:
    SchemeHandlers& m_handlers;
    UrlOpener& m_opener;
};

} // namespace platform
