#pragma once

#include "platform/ProgramRunner.h"

namespace platform {

// Starts programs directly with an argument list, so no shell ever reads the arguments.
class ProcessRunner : public ProgramRunner {
public:
    QString findProgram(const QString& name) override;
    std::optional<ProgramOutput> run(const QString& program, const QStringList& arguments, int timeoutMs) override;
};

} // namespace platform
