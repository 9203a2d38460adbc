#pragma once

#include <QProcess>
#include <QTemporaryDir>

// tavoro-cli (TAVORO_CLI), run as a user runs it: its exit code and what it printed.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CliRun runCli(const QStringList& args, const QByteArray& input = QByteArray()) {
    // A runtime folder of its own, so that Qt has nothing to say on stderr.
    static QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAVORO_CLI), args);
    process.write(input);
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
