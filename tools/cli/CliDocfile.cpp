#include "CliDocfile.h"

#include "CliArguments.h"
#include "StderrPromptService.h"
#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"

#include <cstdio>

namespace {

// The program's own words for the failures, so that scripts and people see what the window shows,
// after the reason a file could not be read or written.
bool load(PimDocument& document, const QString& path, StderrPromptService& prompt) {
    platform::FileError error = platform::FileError::None;
    if (DocumentStorage(document).ReadFromFile(path, prompt, &error))
        return true;
    reportFileError(path, error);
    prompt.message(QStringLiteral("Error loading file."), QStringLiteral("Tavoro"), platform::PromptButtons::Ok,
                   platform::PromptIcon::Stop);
    return false;
}

} // namespace

bool documentInUse(const QString& path) {
    const std::optional<DocumentLock::Holder> holder = DocumentLock::HolderOf(path);
    if (holder)
        std::fprintf(stderr, "tavoro-cli: %s is in use by %s; close it there first\n", qPrintable(path),
                     qPrintable(DocumentLock::Describe(*holder)));
    return holder.has_value();
}

void reportFileError(const QString& path, platform::FileError error) {
    if (error != platform::FileError::None)
        std::fprintf(stderr, "tavoro-cli: '%s' %s\n", qPrintable(path), qPrintable(platform::describe(error)));
}

int runResave(const QStringList& args) {
    CliArguments arguments(kResaveUsage);
    if (!arguments.Parse(args, 2))
        return kCliUsageError;
    const QString& out = arguments.Word(1);
    StderrPromptService prompt;
    PimDocument document;
    if (!load(document, arguments.Word(0), prompt) || documentInUse(out))
        return kCliFailure;
    platform::FileError error = platform::FileError::None;
    if (!DocumentStorage(document).Save(out, &error)) {
        reportFileError(out, error);
        prompt.message(QStringLiteral("Unable to write file!"), QStringLiteral("Tavoro"), platform::PromptButtons::Ok,
                       platform::PromptIcon::Stop);
        return kCliFailure;
    }
    return kCliSuccess;
}

int runCheck(const QStringList& args) {
    CliArguments arguments(kCheckUsage);
    if (!arguments.Parse(args, 1))
        return kCliUsageError;
    StderrPromptService prompt;
    PimDocument document;
    if (!load(document, arguments.Word(0), prompt))
        return kCliFailure;
    std::printf("Tasks: %zu (LastID %d)\n", document.Tasks().Count(), document.Tasks().LastID());
    std::printf("Persons: %zu (LastID %d)\n", document.Persons().Count(), document.Persons().LastID());
    std::printf("Appointments: %zu (LastID %d)\n", document.Appointments().Count(), document.Appointments().LastID());
    return kCliSuccess;
}
