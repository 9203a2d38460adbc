#include "DesktopPhoneDialer.h"

#include "platform/ContactUrls.h"
#include "platform/UrlOpener.h"

namespace platform {

DialResult DesktopPhoneDialer::dial(const QString& number) {
    const std::optional<QUrl> url = telUrl(number);
    if (!url)
        return DialResult::InvalidNumber;
    switch (m_handlers.HandlerFor(url->scheme())) {
    case SchemeHandlers::Answer::None:
        return DialResult::NoDialer;
    case SchemeHandlers::Answer::Unknown:
        return DialResult::Failed;
    case SchemeHandlers::Answer::Registered:
        break;
    }
    return m_opener.open(*url) ? DialResult::Placed : DialResult::Failed;
}

} // namespace platform
