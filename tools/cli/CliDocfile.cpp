#include "CliDocfile.h"

#include "CliUsage.h"
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

namespace {} // namespace

void reportFileError(const QString& path, platform::FileError error) {
    if (error != platform::FileError::None)
        std::fprintf(stderr, "tavoro-cli: '%s' %s\n", qPrintable(path), qPrintable(platform::describe(error)));
}

int runResave(const QStringList& args) {
    if (args.size() != 2)
        return cliUsageError("resave IN OUT");
    StderrPromptService prompt;
    PimDocument document;
    if (!load(document, args.at(0), prompt) || documentInUse(args.at(1)))
        return 1;
    platform::FileError error = platform::FileError::None;
    if (!DocumentStorage(document).Save(args.at(1), &error)) {
        reportFileError(args.at(1), error);
        prompt.message(QStringLiteral("Unable to write file!"), QStringLiteral("Tavoro"), platform::PromptButtons::Ok,
                       platform::PromptIcon::Stop);
        return 1;
    }
    return 0;
}

int runCheck(const QStringList& args) {
    if (args.size() != 1)
        return cliUsageError("check FILE");
    StderrPromptService prompt;
    PimDocument document;
    if (!load(document, args.at(0), prompt))
        return 1;
    std::printf("Tasks: %zu (LastID %d)\n", document.Tasks().Count(), document.Tasks().LastID());
    std::printf("Persons: %zu (LastID %d)\n", document.Persons().Count(), document.Persons().LastID());
    std::printf("Appointments: %zu (LastID %d)\n", document.Appointments().Count(), document.Appointments().LastID());
    return 0;
}
