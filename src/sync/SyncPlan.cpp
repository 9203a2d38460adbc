#include "SyncPlan.h"

#include "DavClient.h"
#include "Discovery.h"
#include "RecordKinds.h"
#include "RecordText.h"
#include "ServerListing.h"

#include "docfile/DocumentBatch.h"
#include "docfile/PimDocument.h"

#include <QFileInfo>

namespace davsync {

using namespace recordkinds;

SyncPlan::SyncPlan(SyncAccount account, QString documentPath, QString statePath, const std::atomic<bool>& cancelled)
    : m_account(std::move(account)), m_statePath(std::move(statePath)), m_cancelled(cancelled) {
    if (!documentPath.isEmpty())
        m_documentKey = QFileInfo(documentPath).fileName();
}

CollectionState& SyncPlan::collection(Kind kind) {
    switch (kind) {
    case Kind::Person:
        return m_state.contacts;
    case Kind::Appointment:
        return m_state.events;
    case Kind::Task:
        break;
    }
    return m_state.todos;
}

const QUrl& SyncPlan::urlOf(Kind kind) const {
    return const_cast<SyncPlan*>(this)->collection(kind).url;
}

std::string SyncPlan::ownUid(Kind kind, int id) const {
    return kind == Kind::Person ? recorduid::UrnUid(m_documentKey, kind, id) : recorduid::Uid(m_documentKey, kind, id);
}

bool SyncPlan::resolveCollections(DavClient& client) {
    const QUrl chosen[] = {m_account.addressBook, m_account.eventCalendar, m_account.todoCalendar};
    QUrl urls[3];
    bool missing = false;
    for (int k = 0; k < 3; ++k) {
        // What the account names wins; else what was found the last time.
        urls[k] = chosen[k].isEmpty() ? collection(kAll[k]).url : chosen[k];
        missing |= urls[k].isEmpty();
    }
    if (missing) {
        const Discovery discovery = Discover(client, m_account);
        if (!discovery.Succeeded()) {
            report.failure = discovery.error;
            return false;
        }
        for (const DavCollection& book : discovery.addressBooks)
            if (urls[0].isEmpty())
                urls[0] = book.url;
        for (const DavCollection& calendar : discovery.calendars) {
            if (urls[1].isEmpty() && calendar.events)
                urls[1] = calendar.url;
            if (urls[2].isEmpty() && calendar.todos)
                urls[2] = calendar.url;
        }
        QString error;
        if (urls[0].isEmpty() && (urls[0] = CreateCollection(client, discovery, true, error)).isEmpty()) {
            report.failure = error;
            return false;
        }
        // One new calendar serves events and to-dos alike.
        if (urls[1].isEmpty() || urls[2].isEmpty()) {
            const QUrl created = CreateCollection(client, discovery, false, error);
            if (created.isEmpty()) {
                report.failure = error;
                return false;
            }
            for (int k : {1, 2})
                if (urls[k].isEmpty())
                    urls[k] = created;
        }
    }
    for (int k = 0; k < 3; ++k) {
        CollectionState& state = collection(kAll[k]);
        if (state.url == urls[k])
            continue;
        // Another collection: what was linked before says nothing about this one.
        state = {urls[k], QString()};
        for (auto it = m_links.begin(); it != m_links.end();) {
            if (it->kind == kAll[k])
                it = m_links.erase(it);
            else
                ++it;
        }
    }
    return true;
}

void SyncPlan::indexLocal(const PimRecords& snapshot) {
    m_linkOf.clear();
    for (const RecordLink& link : std::as_const(m_links))
        if (link.id > 0)
            m_linkOf[{link.kind, link.id}] = link.href;
    const auto index = [this](const auto& records, Kind kind) {
        for (const auto& [id, record] : records) {
            if (m_linkOf.count({kind, id}))
                continue;
            m_unlinkedByUid[{kind, ownUid(kind, id)}] = id;
            m_unlinkedByHash.emplace(std::pair{kind, recordtext::Hash(record)}, id);
        }
    };
    index(snapshot.Persons, Kind::Person);
    index(snapshot.Appointments, Kind::Appointment);
    index(snapshot.Tasks, Kind::Task);
}

int SyncPlan::unlinkedMatch(Kind kind, const std::string& uid, const QByteArray& hash) {
    const auto take = [this, kind](int id) {
        if (!m_matched.insert({kind, id}).second)
            return 0;
        return id;
    };
    if (const auto byUid = m_unlinkedByUid.find({kind, uid}); byUid != m_unlinkedByUid.end())
        if (const int id = take(byUid->second))
            return id;
    const auto [first, last] = m_unlinkedByHash.equal_range({kind, hash});
    for (auto it = first; it != last; ++it)
        if (const int id = take(it->second))
            return id;
    return 0;
}

bool SyncPlan::Fetch(const PimRecords& snapshot, const SyncSession::Progress& progress) {
    // The state belongs to a file: two untitled documents would share one, and each would take
    // the other's records for deleted.
    if (m_documentKey.isEmpty()) {
        report.failure = QStringLiteral("Save the document before synchronizing it.");
        return false;
    }
    QString problem;
    if (!SyncState::Load(m_statePath, m_state, &problem) && !problem.isEmpty())
        report.notes << problem;
    for (const RecordLink& link : m_state.links)
        m_links.insert(link.href, link);
    DavClient client(m_account.user, m_account.password, m_account.timeoutSeconds, &m_cancelled);
    progressTo(progress, QStringLiteral("Finding the calendars and address book"), 0, 0);
    if (!resolveCollections(client))
        return false;
    m_resolved = true;
    indexLocal(snapshot);

    std::vector<Channel> channels;
    for (Kind kind : kAll) {
        const QUrl& url = collection(kind).url;
        auto same = std::find_if(channels.begin(), channels.end(), [&](const Channel& c) { return c.url == url; });
        if (same == channels.end())
            channels.push_back({url, {kind}});
        else
            same->kinds.push_back(kind);
    }
    // The server takes a while over each collection, whether anything changed or not: asked at
    // once, it looks at them side by side.
    progressTo(progress, QStringLiteral("Looking for changes on the server"), 0, int(channels.size()));
    std::vector<DavRequest> requests;
    for (const Channel& channel : channels)
        requests.push_back(ListRequest(channel.url, collection(channel.kinds.front()).token));
    std::vector<DavResponse> answers = client.SendAll(requests);
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (!syncChannel(client, channels[i], std::move(answers[i]), snapshot, progress))
            return false;
        progressTo(progress, QStringLiteral("Looking for changes on the server"), int(i + 1), int(channels.size()));
    }
    m_fetched = true;
    return true;
}

bool SyncPlan::syncChannel(DavClient& client, const Channel& channel, DavResponse answer, const PimRecords& snapshot,
                           const SyncSession::Progress& progress) {
    const bool contacts = channel.kinds.front() == Kind::Person;
    // Events and to-dos sharing a calendar share its token too.
    const QString token = collection(channel.kinds.front()).token;
    const Listing listing = ListCollection(client, channel.url, token, std::move(answer));
    if (listing.collectionGone) {
        forgetCollection(channel);
        return false;
    }
    if (!listing.failure.isEmpty()) {
        report.failure = listing.failure;
        return false;
    }
    QStringList wanted;
    QSet<QString> listed;
    for (const ListedObject& object : listing.objects) {
        if (object.gone) {
            serverGone(object.href, snapshot);
            continue;
        }
        listed.insert(object.href);
        const auto link = m_links.constFind(object.href);
        if (link == m_links.cend() || link->etag != object.etag)
            wanted << object.href;
    }
    if (listing.complete) {
        QStringList gone;
        for (const RecordLink& link : std::as_const(m_links))
            if (std::count(channel.kinds.begin(), channel.kinds.end(), link.kind) && !listed.contains(link.href))
                gone << link.href;
        for (const QString& href : gone)
            serverGone(href, snapshot);
    }
    QString failure;
    const int total = int(wanted.size());
    const std::vector<FetchedObject> objects =
        FetchObjects(client, channel.url, wanted, contacts, failure, [&](int fetched) {
            progressTo(progress, QStringLiteral("Receiving changes from the server"), fetched, total);
        });
    for (const FetchedObject& object : objects)
        serverObject(channel, object, snapshot);
    if (!failure.isEmpty()) {
        report.failure = failure;
        return false;
    }
    m_tokens.insert(channel.url, listing.token);
    return true;
}

void SyncPlan::forgetCollection(const Channel& channel) {
    // The collection the account names for the kind, if any.
    const auto chosen = [this](Kind kind) -> const QUrl& {
        return kind == Kind::Person        ? m_account.addressBook
               : kind == Kind::Appointment ? m_account.eventCalendar
                                           : m_account.todoCalendar;
    };
    const bool named =
        std::any_of(channel.kinds.begin(), channel.kinds.end(), [&](Kind kind) { return !chosen(kind).isEmpty(); });
    const QString what =
        channel.kinds.front() == Kind::Person ? QStringLiteral("address book") : QStringLiteral("calendar");
    report.failure = QStringLiteral("The %1 %2 is no longer on the server.")
                         .arg(what, channel.url.toDisplayString(QUrl::RemoveUserInfo));
    if (named) {
        report.failure += QStringLiteral(" Choose another in the account settings.");
        return;
    }
    // Found by this program: the next synchronisation looks again, making a new one when there is
    // none, and gives it every record.
    report.failure += QStringLiteral(" The next synchronization finds or creates another and sends everything there.");
    for (Kind kind : channel.kinds) {
        collection(kind) = CollectionState();
        m_links.removeIf(
            [kind](const std::pair<const QString&, RecordLink&>& entry) { return entry.second.kind == kind; });
    }
}

void SyncPlan::serverGone(const QString& href, const PimRecords& snapshot) {
    const auto link = m_links.find(href);
    if (link == m_links.end())
        return;
    const QByteArray hash = link->id > 0 ? localHash(snapshot, link->kind, link->id) : QByteArray();
    if (hash.isEmpty()) {
        // Not held here, or deleted on both sides.
        m_links.erase(link);
    } else if (hash == link->hash) {
        m_removals.push_back({link->kind, link->id, hash, href});
    } else {
        // Changed here since: kept, and created on the server again.
        link->etag.clear();
    }
}

void SyncPlan::serverObject(const Channel& channel, const FetchedObject& fetched, const PimRecords& snapshot) {
    const bool contacts = channel.kinds.front() == Kind::Person;
    const recordtext::ServerObject object =
        contacts ? recordtext::ReadCard(fetched.data) : recordtext::ReadCalendar(fetched.data);
    const auto held = [&](Kind kind) { return std::count(channel.kinds.begin(), channel.kinds.end(), kind) > 0; };
    using ObjectKind = recordtext::ServerObject::Kind;
    const bool fits = (object.kind == ObjectKind::Person && held(Kind::Person)) ||
                      (object.kind == ObjectKind::Appointment && held(Kind::Appointment)) ||
                      (object.kind == ObjectKind::Task && held(Kind::Task));
    const auto existing = m_links.constFind(fetched.href);
    if (!fits) {
        if (object.kind == ObjectKind::None) {
            const QString name = object.name.isEmpty() ? fetched.href : object.name;
            report.skipped << QStringLiteral("%1: %2").arg(name, object.reason);
        }
        // Remembered so that it is read again only once it changes; a record it was tied to stays.
        if (existing == m_links.cend() || existing->id == 0)
            m_links.insert(fetched.href,
                           RecordLink{channel.kinds.front(), 0, fetched.href, fetched.etag, QString(), {}, {}});
        else
            m_links[fetched.href].etag = fetched.etag;
        return;
    }
    switch (object.kind) {
    case ObjectKind::Person:
        decide(object.person, Kind::Person, fetched.href, fetched.etag, object.uid, snapshot, m_persons);
        break;
    case ObjectKind::Appointment:
        decide(object.appointment, Kind::Appointment, fetched.href, fetched.etag, object.uid, snapshot, m_appointments);
        break;
    case ObjectKind::Task:
        decide(object.task, Kind::Task, fetched.href, fetched.etag, object.uid, snapshot, m_tasks);
        break;
    case ObjectKind::None:
        break;
    }
}

template <class Record>
void SyncPlan::decide(const Record& server, Kind kind, const QString& href, const QByteArray& etag,
                      const std::string& uid, const PimRecords& snapshot, std::vector<Incoming<Record>>& incoming) {
    const QByteArray serverHash = recordtext::Hash(server);
    RecordLink link{kind, 0, href, etag, QString::fromStdString(uid), serverHash, {}};
    const auto known = m_links.constFind(href);
    int id = known != m_links.cend() && known->kind == kind ? known->id : 0;
    QByteArray lastHash = id > 0 ? known->hash : QByteArray();
    if (id == 0) {
        // Not linked: the first synchronisation, or a lost state. The same record here by UID or
        // content is this object, never a second copy.
        id = unlinkedMatch(kind, uid, serverHash);
        lastHash = serverHash;
    }
    const Record* local = id > 0 ? recordsOf<Record>(snapshot).Find(id) : nullptr;
    if (!local) {
        // New on the server, or deleted here and changed there: the change is kept.
        incoming.push_back({0, server, QByteArray(), false, link});
        return;
    }
    const QByteArray hash = recordtext::Hash(*local);
    link.id = id;
    if (hash == serverHash) {
        link.fingerprint = recordtext::Fingerprint(*local);
        m_links.insert(href, link);
        m_linkOf[{kind, id}] = href;
        return;
    }
    incoming.push_back({id, server, hash, hash != lastHash, link});
}

template <class Record>
void SyncPlan::apply(PimDocument& document, std::vector<Incoming<Record>>& incoming, Kind kind) {
    for (Incoming<Record>& item : incoming) {
        const Record* current = item.id > 0 ? recordsOf<Record>(document.Records()).Find(item.id) : nullptr;
        Record server = item.record;
        if (current) {
            const QByteArray hash = recordtext::Hash(*current);
            if (hash != item.link.hash) {
                if (item.conflict || hash != item.expectedHash) {
                    // Both sides changed it: the server's version takes the record, ours lives on as a new one.
                    Record mine = *current;
                    report.conflicts << QStringLiteral("%1 \"%2\": the server's version replaced it; this "
                                                       "program's version was kept as a new %1")
                                            .arg(kindWord(kind), nameOf(mine));
                    document.Add(std::move(mine));
                }
                server.ID = item.id;
                document.Change(server);
                ++report.downloaded;
            }
            item.link.id = item.id;
            item.link.fingerprint = recordtext::Fingerprint(*recordsOf<Record>(document.Records()).Find(item.id));
        } else {
            item.link.fingerprint = recordtext::Fingerprint(server);
            const std::optional<int> id = document.Add(std::move(server));
            if (!id) {
                report.errors << QStringLiteral("%1 \"%2\": no room left in the document")
                                     .arg(kindWord(kind), nameOf(item.record));
                continue;
            }
            item.link.id = *id;
            ++report.downloaded;
        }
        m_links.insert(item.link.href, item.link);
    }
    incoming.clear();
}

void SyncPlan::remove(PimDocument& document, const Removal& removal) {
    const QByteArray hash = localHash(document.Records(), removal.kind, removal.id);
    const auto link = m_links.find(removal.href);
    if (!hash.isEmpty() && hash != removal.expectedHash) {
        if (link != m_links.end())
            link->etag.clear(); // changed here meanwhile: created on the server again
        return;
    }
    if (!hash.isEmpty()) {
        switch (removal.kind) {
        case Kind::Person:
            document.RemovePerson(removal.id);
            break;
        case Kind::Appointment:
            document.RemoveAppointment(removal.id);
            break;
        case Kind::Task:
            document.RemoveTask(removal.id);
            break;
        }
        ++report.deletedHere;
    }
    if (link != m_links.end())
        m_links.erase(link);
}

void SyncPlan::ApplyTo(PimDocument& document) {
    if (!m_fetched)
        return;
    {
        const DocumentBatch batch(document, QStringLiteral("Synchronize"), DocumentBatch::Kind::Synchronize);
        apply(document, m_persons, Kind::Person);
        apply(document, m_appointments, Kind::Appointment);
        apply(document, m_tasks, Kind::Task);
        for (const Removal& removal : m_removals)
            remove(document, removal);
    }
    m_removals.clear();
    for (Kind kind : kAll) {
        CollectionState& state = collection(kind);
        if (m_tokens.contains(state.url))
            state.token = m_tokens.value(state.url);
    }
}

bool SyncPlan::Finish() {
    // Stopped before the server said anything about the collections: the state stays as it was.
    if (!m_resolved)
        return true;
    const QString& statePath = m_statePath;
    m_state.links.assign(m_links.cbegin(), m_links.cend());
    std::sort(m_state.links.begin(), m_state.links.end(),
              [](const RecordLink& a, const RecordLink& b) { return a.href < b.href; });
    if (m_state.Save(statePath))
        return true;
    report.errors << QStringLiteral("The synchronization state could not be written to %1.").arg(statePath);
    return false;
}

} // namespace davsync
