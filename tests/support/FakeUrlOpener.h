#pragma once

#include "platform/UrlOpener.h"

#include <QList>

// Stands in for the desktop's handlers: records every address and answers as told.
class FakeUrlOpener : public platform::UrlOpener {
public:
    bool open(const QUrl& url) override {
        opened.append(url);
        return accepts;
    }

    bool accepts = true;
    QList<QUrl> opened;
};
