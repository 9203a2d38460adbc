#include "Discovery.h"

#include "DavClient.h"
#include "DavXml.h"

namespace davsync {

namespace {

// A PROPFIND and its multistatus; false with `error` in words when there is none to read.
// `noAnswer` tells a server that could not be asked at all (unreachable, refused the password).
bool propfind(DavClient& client, const QUrl& url, const char* depth, const QByteArray& body, davxml::MultiStatus& out,
              QString& error, bool* noAnswer = nullptr) {
    const DavResponse response = client.Send({"PROPFIND", url, body, {{"Depth", depth}}});
    if (noAnswer)
        *noAnswer = response.failure != DavFailure::None;
    if (response.status != 207) {
        error = DavClient::Describe(response, url);
        return false;
    }
    out = davxml::Parse(response.body);
    if (!out.error.isEmpty()) {
        error = QStringLiteral("The server at %1 gave an answer that cannot be read (%2).")
                    .arg(url.toDisplayString(QUrl::RemoveUserInfo), out.error);
        return false;
    }
    return true;
}

QUrl directory(const QUrl& url) {
    QUrl folder = url;
    if (!folder.path().endsWith(QLatin1Char('/')))
        folder.setPath(folder.path() + QLatin1Char('/'));
    return folder;
}

// The principal of the signed-in user: asked of the address itself, then of the well-known ones.
QUrl findPrincipal(DavClient& client, const QUrl& server, QString& error) {
    const QUrl base = directory(server);
    for (const QUrl& url : {base, base.resolved(QUrl(QStringLiteral("/.well-known/caldav"))),
                            base.resolved(QUrl(QStringLiteral("/.well-known/carddav")))}) {
        davxml::MultiStatus answer;
        QString problem;
        bool noAnswer = false;
        if (!propfind(client, url, "0", davxml::PrincipalQuery(), answer, problem, &noAnswer)) {
            if (error.isEmpty() || noAnswer)
                error = problem;
            if (noAnswer)
                return {};
            continue;
        }
        for (const davxml::Resource& resource : answer.resources) {
            if (!resource.principal.isEmpty()) {
                error.clear();
                return base.resolved(QUrl(resource.principal));
            }
        }
    }
    if (error.isEmpty())
        error = QStringLiteral("The server at %1 names no calendar or address book user.")
                    .arg(server.toDisplayString(QUrl::RemoveUserInfo));
    return {};
}

} // namespace

Discovery Discover(const SyncAccount& account) {
    DavClient client(account.user, account.password, account.timeoutSeconds);
    return Discover(client, account);
}

Discovery Discover(DavClient& client, const SyncAccount& account) {
    Discovery discovery;
    const QUrl principal = findPrincipal(client, account.server, discovery.error);
    if (principal.isEmpty())
        return discovery;
    davxml::MultiStatus homes;
    if (!propfind(client, principal, "0", davxml::HomesQuery(), homes, discovery.error))
        return discovery;
    for (const davxml::Resource& resource : homes.resources) {
        if (!resource.calendarHome.isEmpty())
            discovery.calendarHome = directory(principal.resolved(QUrl(resource.calendarHome)));
        if (!resource.addressBookHome.isEmpty())
            discovery.addressBookHome = directory(principal.resolved(QUrl(resource.addressBookHome)));
    }
    if (discovery.calendarHome.isEmpty())
        discovery.calendarHome = directory(principal);
    if (discovery.addressBookHome.isEmpty())
        discovery.addressBookHome = directory(principal);

    QList<QUrl> listed;
    for (const QUrl& home : {discovery.calendarHome, discovery.addressBookHome}) {
        if (listed.contains(home))
            continue;
        listed << home;
        davxml::MultiStatus members;
        if (!propfind(client, home, "1", davxml::CollectionsQuery(), members, discovery.error))
            return discovery;
        for (const davxml::Resource& resource : members.resources) {
            DavCollection collection;
            collection.url = directory(home.resolved(QUrl(resource.href)));
            collection.displayName = resource.displayName;
            if (resource.calendar) {
                // A calendar that names no components may hold any.
                const bool any = resource.components.isEmpty();
                collection.events = any || resource.components.contains(QLatin1String("VEVENT"));
                collection.todos = any || resource.components.contains(QLatin1String("VTODO"));
                discovery.calendars << collection;
            } else if (resource.addressBook) {
                collection.contacts = true;
                discovery.addressBooks << collection;
            }
        }
    }
    return discovery;
}

QUrl OwnCollection(const Discovery& discovery, bool contacts) {
    // A fixed name: a retry after a broken connection finds the collection instead of making a second.
    const QUrl home = contacts ? discovery.addressBookHome : discovery.calendarHome;
    return home.resolved(QUrl(contacts ? QStringLiteral("tavoro-contacts/") : QStringLiteral("tavoro-calendar/")));
}

QUrl CreateCollection(DavClient& client, const Discovery& discovery, bool contacts, QString& error) {
    const QUrl url = OwnCollection(discovery, contacts);
    const QString name = QStringLiteral("Tavoro!");
    const DavResponse response = contacts ? client.Send({"MKCOL", url, davxml::MakeAddressBook(name), {}})
                                          : client.Send({"MKCALENDAR", url, davxml::MakeCalendar(name), {}});
    // 405: it is there already, from an earlier attempt.
    if (response.Ok() || response.status == 405)
        return url;
    error = DavClient::Describe(response, url);
    return {};
}

} // namespace davsync
