#pragma once

#include <QUrl>

namespace platform {

// Hands an address to the desktop's handler for its scheme (browser, mail program, dialer).
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // True when the desktop took the address; what its handler does afterwards is not observed.
    virtual bool open(const QUrl& url) = 0;
};

} // namespace platform
