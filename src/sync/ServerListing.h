#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <vector>

namespace davsync {

class DavClient;
struct DavRequest;
struct DavResponse;

// A member of a collection as the server lists it.
struct ListedObject {
    QString href; // the path, as the server encodes it
    QByteArray etag;
    bool gone = false; // removed since the token
};

// What changed in a collection since a sync token (RFC 6578), or every member with its ETag
// when the server keeps no tokens or has forgotten ours. A listing the server cuts short (507 for
// the collection) is followed with the token it gives until it is whole; one that never is, is a
// failure, so that nothing is taken for deleted because it was not listed.
struct Listing {
    std::vector<ListedObject> objects;
    QString token;         // for the next time; empty when the server offers none
    bool complete = false; // every member is listed: one not listed is gone
    QString failure;
    bool collectionGone = false; // the collection itself is not on the server
};
Listing ListCollection(DavClient& client, const QUrl& collection, const QString& token);
// The same from the answer to ListRequest, sent by the caller together with others.
DavRequest ListRequest(const QUrl& collection, const QString& token);
Listing ListCollection(DavClient& client, const QUrl& collection, const QString& token, DavResponse answer);

struct FetchedObject {
    QString href;
    QByteArray etag;
    QByteArray data;
};
// The objects' texts, by calendar-multiget or addressbook-multiget; one gone meanwhile is left out.
// `fetched` hears how many have come so far.
std::vector<FetchedObject> FetchObjects(DavClient& client, const QUrl& collection, const QStringList& hrefs,
                                        bool contacts, QString& failure,
                                        const std::function<void(int fetched)>& progress = {});

// The path of an href as this program keys it: resolved against the collection, percent-encoded.
QString HrefPath(const QUrl& collection, const QString& href);

} // namespace davsync
