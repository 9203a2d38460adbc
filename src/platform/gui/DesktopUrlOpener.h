#pragma once

#include "platform/UrlOpener.h"

namespace platform {

// The desktop's own handlers, asked through Qt; never a shell command line.
class DesktopUrlOpener : public UrlOpener {
public:
    bool open(const QUrl& url) override;
};

} // namespace platform
