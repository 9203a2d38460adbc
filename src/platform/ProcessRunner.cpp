#include "ProcessRunner.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {

QString ProcessRunner::findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

std::optional<ProgramOutput> ProcessRunner::run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(timeoutMs))
        return std::nullopt;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(timeoutMs);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return ProgramOutput{process.exitCode(), process.readAllStandardOutput()};
}

} // namespace platform
