#include "StderrPromptService.h"

#include <cstdio>

using platform::PromptAnswer;
using platform::PromptButtons;

PromptAnswer StderrPromptService::message(const QString& text, const QString& caption, PromptButtons buttons,
                                          platform::PromptIcon /*icon*/) {
    // The program's name as a caption says nothing here; other captions name the failure.
    if (caption.startsWith(QLatin1String("Tavoro")))
        std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(text));
    else
        std::fprintf(stderr, "tavoro-cli: %s: %s\n", qPrintable(caption), qPrintable(text));
    // Nobody can choose: a question is declined, a notice acknowledged.
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

std::optional<QString> StderrPromptService::openFileName(const platform::FileDialogRequest& /*request*/) {
    return std::nullopt;
}

std::optional<QString> StderrPromptService::saveFileName(const platform::FileDialogRequest& /*request*/) {
    return std::nullopt;
}
