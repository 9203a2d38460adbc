#include "CliDocfile.h"

#include "CliArguments.h"
#include "StderrPromptService.h"
#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <chrono>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

// Another command's write takes a fraction of a second; a queue of them a few seconds.
constexpr std::chrono::milliseconds kWriterWait = 10s;
constexpr std::chrono::milliseconds kPoll = 20ms;

// Another run of this command-line program, which lets go of the lock once its write is done.
bool isCommandLine(const DocumentLock::Holder& holder) {
    return holder.program == QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

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

std::unique_ptr<DocumentLock> lockForWriting(const QString& path, CliWrite write) {
    auto lock = std::make_unique<DocumentLock>(path);
    const QDeadlineTimer deadline(kWriterWait);
    while (!lock->TryAgain()) {
        const std::optional<DocumentLock::Holder> holder = DocumentLock::HolderOf(path);
        if (holder && (!isCommandLine(*holder) || deadline.hasExpired())) {
            std::fprintf(stderr, "tavoro-cli: %s is in use by %s; nothing was changed%s\n", qPrintable(path),
                         qPrintable(DocumentLock::Describe(*holder)),
                         isCommandLine(*holder) ? ", try again" : "; close it there first");
            return nullptr;
        }
        if (!holder && deadline.hasExpired()) { // a lock that cannot be made at all
            std::fprintf(stderr, "tavoro-cli: %s cannot be locked for writing; nothing was changed\n",
                         qPrintable(path));
            return nullptr;
        }
        QThread::msleep(static_cast<unsigned long>(kPoll.count()));
    }
    if (write == CliWrite::InPlace && DocumentStorage::IsWriteProtected(path)) {
        std::fprintf(stderr, "tavoro-cli: %s is write-protected; nothing was changed\n", qPrintable(path));
        return nullptr;
    }
    return lock;
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
    const std::unique_ptr<DocumentLock> lock = lockForWriting(out, CliWrite::Replace);
    if (!lock || !load(document, arguments.Word(0), prompt))
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
