#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The WebDAV, CalDAV and CardDAV request bodies this program sends and the multistatus answers it
// reads.
namespace davxml {

inline constexpr char kDav[] = "DAV:";
inline constexpr char kCalDav[] = "urn:ietf:params:xml:ns:caldav";
inline constexpr char kCardDav[] = "urn:ietf:params:xml:ns:carddav";

// One <response> of a multistatus: what a PROPFIND or REPORT said about one href.
struct Resource {
    QString href;     // as the server wrote it (a path, percent-encoded)
    int status = 200; // of the response itself; 404 marks a member gone in a sync-collection answer
    QByteArray etag;
    QString displayName;
    QByteArray data; // calendar-data or address-data
    bool collection = false, calendar = false, addressBook = false;
    QStringList components; // supported-calendar-component-set
    QString principal, calendarHome, addressBookHome;
    QString syncToken;
};

struct MultiStatus {
    std::vector<Resource> resources;
    QString syncToken;
    QString error; // the XML could not be read
};

MultiStatus Parse(const QByteArray& xml);

// PROPFIND bodies.
QByteArray PrincipalQuery(); // current-user-principal
QByteArray HomesQuery();     // calendar-home-set, addressbook-home-set
// resourcetype, displayname, supported-calendar-component-set: cheap for a server to answer at every
// synchronisation, unlike a collection's sync-token, which some work out over every member.
QByteArray CollectionsQuery();
QByteArray SyncTokenQuery();
QByteArray EtagQuery(); // getetag and resourcetype of the members

// REPORT bodies: the members' ETags changed since a token (all of them for an empty token), and
// the texts of some members (`contacts` chooses address-data over calendar-data).
QByteArray SyncCollection(const QString& token);
QByteArray Multiget(const QStringList& hrefs, bool contacts);

// A new calendar for events and to-dos, and a new address book (extended MKCOL).
QByteArray MakeCalendar(const QString& displayName);
QByteArray MakeAddressBook(const QString& displayName);

} // namespace davxml
