#include "CliDocfile.h"

#include "StderrPromptService.h"
#include "docfile/DocumentLock.h"
#include "docfile/PimDocument.h"

#include <cstdio>

namespace {

// The program's own words for the failures, so that scripts and people see what the window shows.
bool load(PimDocument& document, const QString& path, StderrPromptService& prompt) {
    if (document.ReadFromFile(path, prompt))
        return true;
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

namespace {

bool wrongArgumentCount(const QStringList& args, qsizetype count, const char* usage) {
    if (args.size() == count)
        return false;
    std::fprintf(stderr, "usage: tavoro-cli %s\n", usage);
    return true;
}

} // namespace

int runResave(const QStringList& args) {
    if (wrongArgumentCount(args, 2, "resave IN OUT"))
        return 1;
    StderrPromptService prompt;
    PimDocument document;
    if (!load(document, args.at(0), prompt) || documentInUse(args.at(1)))
        return 1;
    if (!document.Save(args.at(1))) {
        prompt.message(QStringLiteral("Unable to write file!"), QStringLiteral("Tavoro"), platform::PromptButtons::Ok,
                       platform::PromptIcon::Stop);
        return 1;
    }
    return 0;
}

int runCheck(const QStringList& args) {
    if (wrongArgumentCount(args, 1, "check FILE"))
        return 1;
    StderrPromptService prompt;
    PimDocument document;
    if (!load(document, args.at(0), prompt))
        return 1;
    std::printf("Tasks: %zu (LastID %d)\n", document.Tasks.Count(), document.Tasks.LastID());
    std::printf("Persons: %zu (LastID %d)\n", document.Persons.Count(), document.Persons.LastID());
    std::printf("Appointments: %zu (LastID %d)\n", document.Appointments.Count(), document.Appointments.LastID());
    return 0;
}
