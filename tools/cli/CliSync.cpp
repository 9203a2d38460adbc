#include "CliSync.h"

#include "CliDocfile.h"
#include "CliUsage.h"
#include "StderrPromptService.h"

#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "sync/Sync.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

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

bool sameName(const davsync::DavCollection& collection, const QString& name) {
    const QString last = collection.url.path().section(QLatin1Char('/'), -2, -2);
    return collection.displayName.compare(name, Qt::CaseInsensitive) == 0 || last == name;
}

// A collection named by its address (absolute, or a path on the server) or by its name on the
// server (its display name, or the last part of its path).
bool chooseCollection(const QString& given, bool contacts, davsync::SyncAccount& account, QUrl& chosen,
                      std::optional<davsync::Discovery>& discovery, QString& error) {
    if (given.startsWith(QLatin1Char('/')) || given.contains(QLatin1String("://"))) {
        chosen = account.server.resolved(QUrl(given));
        if (!chosen.path().endsWith(QLatin1Char('/')))
            chosen.setPath(chosen.path() + QLatin1Char('/'));
        return true;
    }
    if (!discovery)
        discovery = davsync::Discover(account);
    if (!discovery->Succeeded()) {
        error = discovery->error;
        return false;
    }
    const QList<davsync::DavCollection>& list = contacts ? discovery->addressBooks : discovery->calendars;
    QStringList names;
    for (const davsync::DavCollection& collection : list) {
        if (sameName(collection, given)) {
            chosen = collection.url;
            return true;
        }
        names << (collection.displayName.isEmpty() ? collection.url.path() : collection.displayName);
    }
    error =
        QStringLiteral("the server has no %1 named '%2'%3")
            .arg(contacts ? QStringLiteral("address book") : QStringLiteral("calendar"), given,
                 names.isEmpty() ? QString() : QStringLiteral(" (it has: %1)").arg(names.join(QStringLiteral(", "))));
    return false;
}

} // namespace

int runSync(const QStringList& args) {
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("user"), QStringLiteral("User name."), QStringLiteral("NAME")},
        {QStringLiteral("password-file"), QStringLiteral("File holding the password."), QStringLiteral("FILE")},
        {QStringLiteral("allow-plain-http"), QStringLiteral("Send the password unencrypted.")},
        {QStringLiteral("allow-deletions"), QStringLiteral("Make deletions too many to make unasked.")},
        {QStringLiteral("calendar"), QStringLiteral("The calendar for events and to-dos."), QStringLiteral("NAME")},
        {QStringLiteral("address-book"), QStringLiteral("The address book."), QStringLiteral("NAME")},
    });
    if (!parser.parse(QStringList{QStringLiteral("tavoro-cli")} + args) || parser.positionalArguments().size() != 2 ||
        !parser.isSet(QStringLiteral("user")))
        return cliUsageError(kSyncUsage);
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

    // Held until the document is written, so that no other command adds to it meanwhile.
    const std::unique_ptr<DocumentLock> lock = lockForWriting(path);
    if (!lock)
        return kCliFailure;
    std::optional<davsync::Discovery> discovery;
    QString error;
    if (parser.isSet(QStringLiteral("calendar"))) {
        if (!chooseCollection(parser.value(QStringLiteral("calendar")), false, account, account.eventCalendar,
                              discovery, error))
            return fail(error);
        account.todoCalendar = account.eventCalendar;
    }
    if (parser.isSet(QStringLiteral("address-book")) &&
        !chooseCollection(parser.value(QStringLiteral("address-book")), true, account, account.addressBook, discovery,
                          error))
        return fail(error);

    PimDocument document;
    if (QFileInfo::exists(path)) {
        StderrPromptService prompt;
        if (!DocumentStorage(document).ReadFromFile(path, prompt))
            return fail(QStringLiteral("cannot read the document '%1'").arg(path));
    }
    davsync::SyncSession session(account, QFileInfo(path).absoluteFilePath());
    if (parser.isSet(QStringLiteral("allow-deletions")))
        session.AllowDeletions();
    if (session.Fetch(document.Records())) {
        const QString question = session.DeletionQuestion();
        if (!question.isEmpty() && !parser.isSet(QStringLiteral("allow-deletions")))
            std::fprintf(stderr, "tavoro-cli: %s Not without --allow-deletions: they are held back.\n",
                         qPrintable(question.section(QLatin1Char('.'), 0, 0) + QLatin1Char('.')));
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
    // A script must hear of anything not carried: items that failed and deletions held back too.
    return report.Complete() ? kCliSuccess : kCliFailure;
}
