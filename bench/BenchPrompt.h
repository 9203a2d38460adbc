#pragma once

#include "platform/PromptService.h"

#include <cstdio>

// Nobody answers during a benchmark: a message is a fault in the set-up, said on stderr.
class SilentPrompt : public platform::PromptService {
public:
    platform::PromptAnswer message(const QString& text, const QString&, platform::PromptButtons,
                                   platform::PromptIcon) override {
        std::fprintf(stderr, "bench: unexpected message: %s\n", qPrintable(text));
        return platform::PromptAnswer::Ok;
    }
    std::optional<QString> openFileName(const platform::FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileDialogRequest&) override { return std::nullopt; }
};
