#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

struct ProgramOutput {
    int exitCode = 0;
    QByteArray standardOutput;
};

// Runs one of the desktop's helper programs and collects what it prints.
class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;
    // The full path of an installed program, or an empty string when there is none.
    virtual QString findProgram(const QString& name) = 0;
    // Nothing when the program did not start, crashed or did not finish within the timeout.
    virtual std::optional<ProgramOutput> run(const QString& program, const QStringList& arguments, int timeoutMs) = 0;
};

} // namespace platform
