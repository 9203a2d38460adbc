// Any bytes either load into a document or end in the parse-error message; a document that loaded
// saves into text that loads again without complaint and saves to the very same bytes.

#include "docfile/DocumentFormat.h"
#include "docfile/DocumentWriter.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "platform/PromptService.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class CountingPrompt : public platform::PromptService {
public:
    platform::PromptAnswer message(const QString&, const QString&, platform::PromptButtons,
                                   platform::PromptIcon) override {
        ++messages;
        return platform::PromptAnswer::Ok;
    }
    std::optional<QString> openFileName(const platform::FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileDialogRequest&) override { return std::nullopt; }
    int messages = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A zone with daylight saving, so that a moment of an hour the clocks repeat must come back as
    // the moment it was read from, and a clock that does not pass midnight.
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    platform::Clock::setFixed(platform::LocalTime{2003, 5, 10, 9, 30, 0});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CountingPrompt prompt;
    PimDocument first;
    const bool loaded = DocumentFormat::Load(reinterpret_cast<const char*>(data), size, first, prompt);
    if (loaded != (prompt.messages == 0))
        std::abort();
    if (!loaded)
        return 0;
    const std::string saved = DocumentWriter::Write(first.Records());
    PimDocument second;
    if (!DocumentFormat::Load(saved.data(), saved.size(), second, prompt) ||
        DocumentWriter::Write(second.Records()) != saved)
        std::abort();
    return 0;
}
