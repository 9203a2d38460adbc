#include "ServerListing.h"

#include "DavClient.h"
#include "DavXml.h"

#include <QHash>

namespace davsync {

namespace {

constexpr int kMultigetBatch = 250;
// A listing the server cuts into parts is followed this far; beyond, it is taken as broken.
constexpr int kMostListingParts = 1000;

QString malformed(const QUrl& url, const QString& error) {
    return QStringLiteral("The server at %1 gave an answer that cannot be read (%2).")
        .arg(url.toDisplayString(QUrl::RemoveUserInfo), error);
}

bool isMember(const QUrl& collection, const QString& path) {
    return path != collection.path(QUrl::FullyEncoded) && !path.endsWith(QLatin1Char('/'));
}

Listing byPropfind(DavClient& client, const QUrl& collection) {
    Listing listing;
    const DavResponse response = client.Send({"PROPFIND", collection, davxml::EtagQuery(), {{"Depth", "1"}}});
    if (response.status != 207) {
        listing.failure = DavClient::Describe(response, collection);
        return listing;
    }
    const davxml::MultiStatus answer = davxml::Parse(response.body);
    if (!answer.error.isEmpty()) {
        listing.failure = malformed(collection, answer.error);
        return listing;
    }
    listing.complete = true;
    for (const davxml::Resource& resource : answer.resources) {
        const QString path = HrefPath(collection, resource.href);
        if (!resource.collection && isMember(collection, path))
            listing.objects.push_back({path, resource.etag, false});
    }
    return listing;
}

} // namespace

QString HrefPath(const QUrl& collection, const QString& href) {
    return collection.resolved(QUrl::fromEncoded(href.toUtf8())).path(QUrl::FullyEncoded);
}

DavRequest ListRequest(const QUrl& collection, const QString& token) {
    return {"REPORT", collection, davxml::SyncCollection(token), {{"Depth", "0"}}};
}

Listing ListCollection(DavClient& client, const QUrl& collection, const QString& token) {
    return ListCollection(client, collection, token, client.Send(ListRequest(collection, token)));
}

Listing ListCollection(DavClient& client, const QUrl& collection, const QString& token, DavResponse response) {
    QString sent = token;
    // A token the server no longer knows: everything is listed again.
    if (!sent.isEmpty() && response.failure == DavFailure::None && response.status != 207 && response.status != 404 &&
        response.status != 401) {
        sent.clear();
        response = client.Send(ListRequest(collection, sent));
    }
    if (response.failure != DavFailure::None || response.status == 404 || response.status == 410 ||
        response.status == 401) {
        Listing listing;
        listing.failure = DavClient::Describe(response, collection);
        listing.collectionGone = response.status == 404 || response.status == 410;
        return listing;
    }
    if (response.status != 207)
        return byPropfind(client, collection);
    Listing listing;
    QHash<QString, std::size_t> position; // an object listed again in a later part counts as listed then
    for (int part = 1;; ++part) {
        const davxml::MultiStatus answer = davxml::Parse(response.body);
        if (!answer.error.isEmpty()) {
            listing.failure = malformed(collection, answer.error);
            return listing;
        }
        bool truncated = false;
        for (const davxml::Resource& resource : answer.resources) {
            // The server lists no more at once and says so with 507 for the collection itself:
            // the rest comes with the token it gives.
            if (resource.status == 507) {
                truncated = true;
                continue;
            }
            const QString path = HrefPath(collection, resource.href);
            if (!isMember(collection, path))
                continue;
            const ListedObject object{path, resource.etag, resource.status == 404 || resource.status == 410};
            if (const auto at = position.constFind(path); at != position.cend()) {
                listing.objects[*at] = object;
            } else {
                position.insert(path, listing.objects.size());
                listing.objects.push_back(object);
            }
        }
        listing.token = answer.syncToken;
        if (!truncated) {
            // Without a token every member is in the answer, once no part of it was cut.
            listing.complete = sent.isEmpty();
            return listing;
        }
        if (answer.syncToken.isEmpty() || part == kMostListingParts) {
            listing.failure = QStringLiteral("The server at %1 listed only part of what it holds and would not "
                                             "give the rest; nothing was changed.")
                                  .arg(collection.toDisplayString(QUrl::RemoveUserInfo));
            return listing;
        }
        response = client.Send(ListRequest(collection, answer.syncToken));
        if (response.status != 207) {
            listing.failure = DavClient::Describe(response, collection);
            return listing;
        }
    }
}

std::vector<FetchedObject> FetchObjects(DavClient& client, const QUrl& collection, const QStringList& hrefs,
                                        bool contacts, QString& failure,
                                        const std::function<void(int fetched)>& progress) {
    std::vector<FetchedObject> objects;
    for (qsizetype start = 0; start < hrefs.size(); start += kMultigetBatch) {
        if (progress)
            progress(int(start));
        const QStringList batch = hrefs.mid(start, kMultigetBatch);
        const DavResponse response =
            client.Send({"REPORT", collection, davxml::Multiget(batch, contacts), {{"Depth", "1"}}});
        if (response.status != 207) {
            failure = DavClient::Describe(response, collection);
            return objects;
        }
        const davxml::MultiStatus answer = davxml::Parse(response.body);
        if (!answer.error.isEmpty()) {
            failure = malformed(collection, answer.error);
            return objects;
        }
        for (const davxml::Resource& resource : answer.resources) {
            if (resource.status >= 200 && resource.status < 300 && !resource.data.isEmpty())
                objects.push_back({HrefPath(collection, resource.href), resource.etag, resource.data});
        }
    }
    return objects;
}

} // namespace davsync
