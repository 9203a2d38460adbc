#include "CliSync.h"

#include "CliDocfile.h"
#include "CliUsage.h"
#include "StderrPromptService.h"

#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "sync/Sync.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

const char kUsage[] = "sync DOC URL --user NAME [--password-file FILE] [--allow-plain-http]";

int fail(const QString& message) {
    std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(message));
    return kCliFailure;
}

// The first line of the file, without its line end: a password is not given on the command line,
// where other users could read it.
bool readPassword(const QString& path, QString& password) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    password = QString::fromUtf8(line);
    return true;
}

bool isLocalHost(const QUrl& url) {
    const QString host = url.host().toLower();
    return host == QLatin1String("localhost") || host == QLatin1String("127.0.0.1") || host == QLatin1String("::1");
}

} // namespace

int runSync(const QStringList& args) {
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("user"), QStringLiteral("User name."), QStringLiteral("NAME")},
        {QStringLiteral("password-file"), QStringLiteral("File holding the password."), QStringLiteral("FILE")},
        {QStringLiteral("allow-plain-http"), QStringLiteral("Send the password unencrypted.")},
    });
    if (!parser.parse(QStringList{QStringLiteral("tavoro-cli")} + args) || parser.positionalArguments().size() != 2 ||
        !parser.isSet(QStringLiteral("user")))
        return cliUsageError(kUsage);
    const QString path = parser.positionalArguments().at(0);
    davsync::SyncAccount account;
    account.server = QUrl::fromUserInput(parser.positionalArguments().at(1));
    account.user = parser.value(QStringLiteral("user"));
    if (!account.server.isValid() ||
        (account.server.scheme() != QLatin1String("http") && account.server.scheme() != QLatin1String("https")))
        return fail(QStringLiteral("'%1' is not an http or https address").arg(parser.positionalArguments().at(1)));
    if (parser.isSet(QStringLiteral("password-file")) &&
        !readPassword(parser.value(QStringLiteral("password-file")), account.password))
        return fail(
            QStringLiteral("cannot read the password file '%1'").arg(parser.value(QStringLiteral("password-file"))));
    if (!account.password.isEmpty() && account.server.scheme() == QLatin1String("http") &&
        !isLocalHost(account.server) && !parser.isSet(QStringLiteral("allow-plain-http")))
        return fail(QStringLiteral("%1 is not encrypted: the password would travel readable; use https, or "
                                   "--allow-plain-http")
                        .arg(account.server.toDisplayString(QUrl::RemoveUserInfo)));

    if (documentInUse(path))
        return kCliFailure;
    PimDocument document;
    if (QFileInfo::exists(path)) {
        StderrPromptService prompt;
        if (!DocumentStorage(document).ReadFromFile(path, prompt))
            return fail(QStringLiteral("cannot read the document '%1'").arg(path));
    }
    davsync::SyncSession session(account, QFileInfo(path).absoluteFilePath());
    if (session.Fetch(document.Records())) {
        session.ApplyTo(document);
        if (document.IsModified() && !DocumentStorage(document).Save(path)) {
            // Nothing goes up that the document does not keep; the state stays as it was.
            return fail(QStringLiteral("cannot write the document '%1'").arg(path));
        }
        session.Upload(document.Records());
    }
    session.Finish();
    const davsync::SyncReport& report = session.Report();
    std::fputs(qPrintable(report.Text()), report.Succeeded() ? stdout : stderr);
    return report.Succeeded() ? kCliSuccess : kCliFailure;
}
