#pragma once

#include "platform/UrlOpener.h"

namespace platform {

class SchemeHandlers;

// Opens a mail or web address only when the desktop has a program for its scheme: the desktop's
// launcher accepts any address and reports success even when nothing will open it. Where the
// desktop cannot be asked (no xdg-mime), the address is handed on as before.
class CheckedUrlOpener : public UrlOpener {
public:
    CheckedUrlOpener(SchemeHandlers& handlers, UrlOpener& opener) : m_handlers(handlers), m_opener(opener) {}

    bool open(const QUrl& url) override;

private:
    SchemeHandlers& m_handlers;
    UrlOpener& m_opener;
};

} // namespace platform
