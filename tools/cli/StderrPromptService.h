#pragma once

#include "platform/PromptService.h"

// Messages the program would show in a box go to stderr in the same words; there is no one to
// answer a file dialog, so every dialog counts as cancelled.
class StderrPromptService : public platform::PromptService {
public:
    platform::PromptAnswer message(const QString& text, const QString& caption, platform::PromptButtons buttons,
                                   platform::PromptIcon icon) override;
    std::optional<QString> openFileName(const platform::FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const platform::FileDialogRequest& request) override;
};
