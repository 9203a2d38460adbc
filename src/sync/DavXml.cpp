#include "DavXml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace davxml {

namespace {

bool is(const QXmlStreamReader& xml, const char* ns, const char* name) {
    return xml.namespaceUri() == QLatin1String(ns) && xml.name() == QLatin1String(name);
}

// The first <href> inside the current element; the reader ends on its end.
QString hrefInside(QXmlStreamReader& xml) {
    QString href;
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, "href") && href.isEmpty())
            href = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else
            xml.skipCurrentElement();
    }
    return href;
}

int statusCode(const QString& line) {
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    return parts.size() >= 2 ? parts.at(1).toInt() : 0;
}

void readProp(QXmlStreamReader& xml, Resource& into) {
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, "getetag")) {
            into.etag = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed().toUtf8();
        } else if (is(xml, kDav, "displayname")) {
            into.displayName = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (is(xml, kDav, "sync-token")) {
            into.syncToken = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (is(xml, kCalDav, "calendar-data") || is(xml, kCardDav, "address-data")) {
            into.data = xml.readElementText(QXmlStreamReader::SkipChildElements).toUtf8();
        } else if (is(xml, kDav, "resourcetype")) {
            while (xml.readNextStartElement()) {
                into.collection |= is(xml, kDav, "collection");
                into.calendar |= is(xml, kCalDav, "calendar");
                into.addressBook |= is(xml, kCardDav, "addressbook");
                xml.skipCurrentElement();
            }
        } else if (is(xml, kCalDav, "supported-calendar-component-set")) {
            while (xml.readNextStartElement()) {
                if (is(xml, kCalDav, "comp"))
                    into.components << xml.attributes().value(QLatin1String("name")).toString().toUpper();
                xml.skipCurrentElement();
            }
        } else if (is(xml, kDav, "current-user-principal")) {
            into.principal = hrefInside(xml);
        } else if (is(xml, kCalDav, "calendar-home-set")) {
            into.calendarHome = hrefInside(xml);
        } else if (is(xml, kCardDav, "addressbook-home-set")) {
            into.addressBookHome = hrefInside(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
}

// A propstat's properties count only when its status says they were found.
void readPropstat(QXmlStreamReader& xml, Resource& into) {
    Resource found;
    int status = 200;
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, "prop"))
            readProp(xml, found);
        else if (is(xml, kDav, "status"))
            status = statusCode(xml.readElementText(QXmlStreamReader::SkipChildElements));
        else
            xml.skipCurrentElement();
    }
    if (status < 200 || status >= 300)
        return;
    if (!found.etag.isEmpty())
        into.etag = found.etag;
    if (!found.displayName.isEmpty())
        into.displayName = found.displayName;
    if (!found.data.isEmpty())
        into.data = found.data;
    if (!found.syncToken.isEmpty())
        into.syncToken = found.syncToken;
    into.collection |= found.collection;
    into.calendar |= found.calendar;
    into.addressBook |= found.addressBook;
    into.components << found.components;
    for (auto [target, value] :
         {std::pair{&into.principal, found.principal}, std::pair{&into.calendarHome, found.calendarHome},
          std::pair{&into.addressBookHome, found.addressBookHome}})
        if (!value.isEmpty())
            *target = value;
}

Resource readResponse(QXmlStreamReader& xml) {
    Resource resource;
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, "href"))
            resource.href = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else if (is(xml, kDav, "status"))
            resource.status = statusCode(xml.readElementText(QXmlStreamReader::SkipChildElements));
        else if (is(xml, kDav, "propstat"))
            readPropstat(xml, resource);
        else
            xml.skipCurrentElement();
    }
    return resource;
}

class Body {
public:
    explicit Body(const char* rootNs, const char* root) : m_xml(&m_text) {
        m_xml.writeStartDocument();
        m_xml.writeNamespace(QLatin1String(kDav), QStringLiteral("d"));
        m_xml.writeNamespace(QLatin1String(kCalDav), QStringLiteral("c"));
        m_xml.writeNamespace(QLatin1String(kCardDav), QStringLiteral("card"));
        m_xml.writeStartElement(QLatin1String(rootNs), QLatin1String(root));
    }
    QXmlStreamWriter& operator*() { return m_xml; }
    void Empty(const char* ns, const char* name) { m_xml.writeEmptyElement(QLatin1String(ns), QLatin1String(name)); }
    void Start(const char* ns, const char* name) { m_xml.writeStartElement(QLatin1String(ns), QLatin1String(name)); }
    void End() { m_xml.writeEndElement(); }
    QByteArray Done() {
        m_xml.writeEndDocument();
        return m_text;
    }

private:
    QByteArray m_text;
    QXmlStreamWriter m_xml;
};

QByteArray propfind(std::initializer_list<std::pair<const char*, const char*>> props) {
    Body body(kDav, "propfind");
    body.Start(kDav, "prop");
    for (const auto& [ns, name] : props)
        body.Empty(ns, name);
    body.End();
    return body.Done();
}

const char* dataProp(bool contacts) {
    return contacts ? "address-data" : "calendar-data";
}
const char* dataNs(bool contacts) {
    return contacts ? kCardDav : kCalDav;
}

} // namespace

MultiStatus Parse(const QByteArray& text) {
    MultiStatus status;
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement() || !is(xml, kDav, "multistatus")) {
        status.error = xml.hasError() ? xml.errorString() : QStringLiteral("no multistatus");
        return status;
    }
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, "response"))
            status.resources.push_back(readResponse(xml));
        else if (is(xml, kDav, "sync-token"))
            status.syncToken = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError())
        status.error = QStringLiteral("%1 at line %2").arg(xml.errorString()).arg(xml.lineNumber());
    return status;
}

QByteArray PrincipalQuery() {
    return propfind({{kDav, "current-user-principal"}});
}

QByteArray HomesQuery() {
    return propfind({{kCalDav, "calendar-home-set"}, {kCardDav, "addressbook-home-set"}});
}

QByteArray CollectionsQuery() {
    return propfind({{kDav, "resourcetype"}, {kDav, "displayname"}, {kCalDav, "supported-calendar-component-set"}});
}

QByteArray SyncTokenQuery() {
    return propfind({{kDav, "sync-token"}});
}

QByteArray EtagQuery() {
    return propfind({{kDav, "getetag"}, {kDav, "resourcetype"}});
}

QByteArray SyncCollection(const QString& token) {
    Body body(kDav, "sync-collection");
    (*body).writeTextElement(QLatin1String(kDav), QStringLiteral("sync-token"), token);
    (*body).writeTextElement(QLatin1String(kDav), QStringLiteral("sync-level"), QStringLiteral("1"));
    body.Start(kDav, "prop");
    body.Empty(kDav, "getetag");
    body.End();
    return body.Done();
}

QByteArray Multiget(const QStringList& hrefs, bool contacts) {
    Body body(dataNs(contacts), contacts ? "addressbook-multiget" : "calendar-multiget");
    body.Start(kDav, "prop");
    body.Empty(kDav, "getetag");
    body.Empty(dataNs(contacts), dataProp(contacts));
    body.End();
    for (const QString& href : hrefs)
        (*body).writeTextElement(QLatin1String(kDav), QStringLiteral("href"), href);
    return body.Done();
}

QByteArray MakeCalendar(const QString& displayName) {
    Body body(kCalDav, "mkcalendar");
    body.Start(kDav, "set");
    body.Start(kDav, "prop");
    (*body).writeTextElement(QLatin1String(kDav), QStringLiteral("displayname"), displayName);
    body.Start(kCalDav, "supported-calendar-component-set");
    for (const char* component : {"VEVENT", "VTODO"}) {
        body.Empty(kCalDav, "comp");
        (*body).writeAttribute(QStringLiteral("name"), QLatin1String(component));
    }
    return body.Done();
}

QByteArray MakeAddressBook(const QString& displayName) {
    Body body(kDav, "mkcol");
    body.Start(kDav, "set");
    body.Start(kDav, "prop");
    body.Start(kDav, "resourcetype");
    body.Empty(kDav, "collection");
    body.Empty(kCardDav, "addressbook");
    body.End();
    (*body).writeTextElement(QLatin1String(kDav), QStringLiteral("displayname"), displayName);
    return body.Done();
}

} // namespace davxml
