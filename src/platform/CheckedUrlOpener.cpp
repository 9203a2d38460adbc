#include "CheckedUrlOpener.h"

#include "platform/SchemeHandlers.h"

namespace platform {

bool CheckedUrlOpener::open(const QUrl& url) {
    if (m_handlers.HandlerFor(url.scheme()) == SchemeHandlers::Answer::None)
        return false;
    return m_opener.open(url);
}

} // namespace platform
