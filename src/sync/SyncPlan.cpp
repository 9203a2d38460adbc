#include "SyncPlan.h"

#include "DavClient.h"
#include "Discovery.h"
#include "RecordText.h"
#include "ServerListing.h"
#include "SyncPlanWords.h"

#include "docfile/DocumentBatch.h"
#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"

#include <QFileInfo>
#include <QUuid>

#include <type_traits>

namespace davsync {

namespace {

QString plural(RecordKind kind) {
    return kindWord(kind) + (kind == RecordKind::Person ? QString() : QStringLiteral("s"));
}

QString kindsWord(RecordKind kind, int count) {
    if (kind == RecordKind::Person)
        return count == 1 ? QStringLiteral("person") : QStringLiteral("persons");
    return count == 1 ? kindWord(kind) : plural(kind);
}

template <class Record> QString nameOf(const Record& record);
template <> QString nameOf(const Person& person) {
    return platform::toQString(DisplayName(person)).simplified();
}
template <> QString nameOf(const Appointment& appointment) {
    return platform::toQString(appointment.Description).simplified();
}
template <> QString nameOf(const Task& task) {
    return platform::toQString(task.Description).simplified();
}

bool isLocalSide(SyncAction::Type type) {
    using Type = SyncAction::Type;
    return type == Type::Download || type == Type::Conflict || type == Type::RemoveHere;
}

} // namespace

SyncPlan::SyncPlan(SyncAccount account, QString documentPath, QString statePath, const std::atomic<bool>& cancelled)
    : m_account(std::move(account)), m_statePath(std::move(statePath)), m_cancelled(cancelled) {
    if (!documentPath.isEmpty())
        m_documentKey = QFileInfo(documentPath).fileName();
}

void SyncPlan::loadState(const PimRecords& snapshot) {
    QString problem;
    const bool loaded = SyncState::Load(m_statePath, m_state, &problem);
    if (!loaded && !problem.isEmpty())
        report.notes << problem;
    const QString identity = QString::fromStdString(snapshot.Identity);
    bool older = false;
    for (RecordKind kind : kRecordKinds)
        older |= VisitRecordKind(kind, [&](auto* type) {
            using Record = std::remove_pointer_t<decltype(type)>;
            return RecordTraits<Record>::In(snapshot).LastID() < m_state.LastId(kind);
        });
    // The links count only for the document they were made with, as it was then or later: a
    // document replaced, made anew or put back from a backup is compared whole, and nothing in it
    // or on the server is taken for deleted.
    const bool trusted = loaded && !m_state.identity.isEmpty() && m_state.identity == identity && !older;
    if (trusted) {
        for (const RecordLink& link : m_state.links)
            m_links.insert(link.href, link);
    } else {
        if (loaded && !m_state.links.empty())
            report.notes << QStringLiteral(
                "This document is not the one last synchronized with this account, or is an older copy of it: "
                "everything was compared, and nothing was deleted on either side.");
        m_state.links.clear();
        for (RecordKind kind : kRecordKinds)
            m_state.Collection(kind).token.clear();
    }
    m_identity = identity;
    m_newIdentity = identity.isEmpty();
    if (m_newIdentity)
        m_identity = QUuid::createUuid().toString(QUuid::WithoutBraces);
    // Records of a document that never had an identity went up under UIDs made from its name.
    m_legacyKey = identity.isEmpty() ? m_documentKey : QString();
}

bool SyncPlan::resolveCollections(DavClient& client) {
    const QUrl chosen[] = {m_account.addressBook, m_account.eventCalendar, m_account.todoCalendar};
    const RecordKind kinds[] = {RecordKind::Person, RecordKind::Appointment, RecordKind::Task};
    QUrl urls[3];
    bool missing = false;
    for (int k = 0; k < 3; ++k) {
        // What the account names wins; else what was found the last time.
        urls[k] = chosen[k].isEmpty() ? m_state.Collection(kinds[k]).url : chosen[k];
        missing |= urls[k].isEmpty();
    }
    // Asked every time, so that the report names the other calendars and address books.
    const Discovery discovery = Discover(client, m_account);
    if (!discovery.Succeeded()) {
        if (missing || client.Cancelled()) {
            report.failure = discovery.error;
            return false;
        }
    }
    // The collections this program made, when there are any (another copy of the document, or
    // another device running it, uses them); else the first of each.
    const auto ours = [](const QList<DavCollection>& list, const QUrl& made) {
        QList<DavCollection> sorted = list;
        std::stable_partition(sorted.begin(), sorted.end(), [&](const DavCollection& c) { return c.url == made; });
        return sorted;
    };
    for (const DavCollection& book : ours(discovery.addressBooks, OwnCollection(discovery, true)))
        if (urls[0].isEmpty())
            urls[0] = book.url;
    for (const DavCollection& calendar : ours(discovery.calendars, OwnCollection(discovery, false))) {
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
    const auto used = [&](const QUrl& url) {
        return std::any_of(std::begin(urls), std::end(urls), [&](const QUrl& u) {
            return u.adjusted(QUrl::StripTrailingSlash) == url.adjusted(QUrl::StripTrailingSlash);
        });
    };
    for (const QList<DavCollection>* list : {&discovery.addressBooks, &discovery.calendars})
        for (const DavCollection& other : *list)
            if (!used(other.url))
                report.otherCollections << QStringLiteral("%1 \"%2\" (%3)")
                                               .arg(other.contacts ? QStringLiteral("address book")
                                                                   : QStringLiteral("calendar"),
                                                    other.displayName.isEmpty() ? other.url.path() : other.displayName,
                                                    other.url.toDisplayString(QUrl::RemoveUserInfo));
    for (int k = 0; k < 3; ++k) {
        CollectionState& state = m_state.Collection(kinds[k]);
        if (state.url == urls[k])
            continue;
        // Another collection: what was linked before says nothing about this one.
        state = {urls[k], QString()};
        m_links.removeIf([kind = kinds[k]](const std::pair<const QString&, RecordLink&>& entry) {
            return entry.second.kind == kind;
        });
    }
    return true;
}

bool SyncPlan::Fetch(const PimRecords& snapshot, const SyncSession::Progress& progress) {
    // The state belongs to a file: two untitled documents would share one, and each would take
    // the other's records for deleted.
    if (m_documentKey.isEmpty()) {
        report.failure = QStringLiteral("Save the document before synchronizing it.");
        return false;
    }
    loadState(snapshot);
    DavClient client(m_account.user, m_account.password, m_account.timeoutSeconds, &m_cancelled);
    progressTo(progress, QStringLiteral("Finding the calendars and address book"), 0, 0);
    if (!resolveCollections(client))
        return false;
    m_resolved = true;

    std::vector<Channel> channels;
    for (RecordKind kind : {RecordKind::Person, RecordKind::Appointment, RecordKind::Task}) {
        const QUrl& url = m_state.Collection(kind).url;
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
        requests.push_back(ListRequest(channel.url, m_state.Collection(channel.kinds.front()).token));
    std::vector<DavResponse> answers = client.SendAll(requests);
    SyncInput input;
    input.local = &snapshot;
    input.links = &m_links;
    input.identity = m_identity;
    input.legacyKey = m_legacyKey;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        CollectionListing listing;
        if (!listChannel(client, channels[i], std::move(answers[i]), listing, progress))
            return false;
        input.listings.push_back(std::move(listing));
        progressTo(progress, QStringLiteral("Looking for changes on the server"), int(i + 1), int(channels.size()));
    }
    std::vector<SyncAction> actions = Decide(input);
    m_deletions = CountDeletions(actions, m_links);
    keepLinks(actions);
    for (SyncAction& action : actions)
        if (isLocalSide(action.type))
            m_incoming.push_back(std::move(action));
    m_fetched = true;
    return true;
}

bool SyncPlan::listChannel(DavClient& client, const Channel& channel, DavResponse answer, CollectionListing& out,
                           const SyncSession::Progress& progress) {
    const bool contacts = channel.kinds.front() == RecordKind::Person;
    // Events and to-dos sharing a calendar share its token too.
    const QString token = m_state.Collection(channel.kinds.front()).token;
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
    for (const ListedObject& object : listing.objects) {
        const auto link = m_links.constFind(object.href);
        if (!object.gone && (link == m_links.cend() || link->etag != object.etag))
            wanted << object.href;
    }
    QString failure;
    const int total = int(wanted.size());
    const std::vector<FetchedObject> objects =
        FetchObjects(client, channel.url, wanted, contacts, failure, [&](int fetched) {
            progressTo(progress, QStringLiteral("Receiving changes from the server"), fetched, total);
        });
    if (!failure.isEmpty()) {
        report.failure = failure;
        return false;
    }
    out.kinds = channel.kinds;
    out.complete = listing.complete;
    out.objects = listing.objects;
    for (const FetchedObject& object : objects)
        out.copies.push_back({object.href, object.etag, recordtext::Read(object.data, contacts)});
    m_tokens.insert(channel.url, listing.token);
    return true;
}

void SyncPlan::forgetCollection(const Channel& channel) {
    const auto named = [this](RecordKind kind) {
        switch (kind) {
        case RecordKind::Person:
            return !m_account.addressBook.isEmpty();
        case RecordKind::Appointment:
            return !m_account.eventCalendar.isEmpty();
        case RecordKind::Task:
            break;
        }
        return !m_account.todoCalendar.isEmpty();
    };
    const QString what =
        channel.kinds.front() == RecordKind::Person ? QStringLiteral("address book") : QStringLiteral("calendar");
    report.failure = QStringLiteral("The %1 %2 is no longer on the server.")
                         .arg(what, channel.url.toDisplayString(QUrl::RemoveUserInfo));
    if (std::any_of(channel.kinds.begin(), channel.kinds.end(), named)) {
        report.failure += QStringLiteral(" Choose another in the account settings.");
        return;
    }
    // Found by this program: the next synchronisation looks again, making a new one when there is
    // none, and gives it every record.
    report.failure += QStringLiteral(" The next synchronization finds or creates another and sends everything there.");
    for (RecordKind kind : channel.kinds) {
        m_state.Collection(kind) = CollectionState();
        m_links.removeIf(
            [kind](const std::pair<const QString&, RecordLink&>& entry) { return entry.second.kind == kind; });
    }
}

// What needs no change to the document or the server: the links as the decision leaves them.
void SyncPlan::keepLinks(const std::vector<SyncAction>& actions) {
    using Type = SyncAction::Type;
    for (const SyncAction& action : actions) {
        switch (action.type) {
        case Type::Link:
            m_links.insert(action.href, RecordLink{action.kind,
                                                   action.id,
                                                   action.href,
                                                   action.etag,
                                                   action.uid,
                                                   action.hash,
                                                   action.fingerprint,
                                                   {},
                                                   {}});
            break;
        case Type::LeaveOnServer:
            m_links.insert(action.href, RecordLink{action.kind, action.id, action.href, action.etag, action.uid,
                                                   action.hash, action.fingerprint, action.name, action.reason});
            break;
        case Type::Forget:
            m_links.remove(action.href);
            break;
        case Type::KeepHere:
            // Changed here since: kept, and created on the server again.
            m_links[action.href].etag.clear();
            break;
        default:
            break;
        }
    }
}

bool SyncPlan::holdsBack(RecordKind kind, bool here) const {
    if (m_deletionsAllowed)
        return false;
    const auto count =
        std::find_if(m_deletions.begin(), m_deletions.end(), [kind](const DeletionCount& c) { return c.kind == kind; });
    return count != m_deletions.end() && NeedsConsent(here ? count->here : count->there, count->linked);
}

QString SyncPlan::DeletionQuestion() const {
    QStringList parts;
    for (const DeletionCount& count : m_deletions) {
        if (NeedsConsent(count.here, count.linked))
            parts << QStringLiteral("%1 of %2 %3 here")
                         .arg(count.here)
                         .arg(count.linked)
                         .arg(kindsWord(count.kind, count.linked));
        if (NeedsConsent(count.there, count.linked))
            parts << QStringLiteral("%1 of %2 %3 on the server")
                         .arg(count.there)
                         .arg(count.linked)
                         .arg(kindsWord(count.kind, count.linked));
    }
    if (parts.isEmpty())
        return {};
    return QStringLiteral("This synchronization would delete %1. Delete them?").arg(parts.join(QStringLiteral(", ")));
}

template <class Record> void SyncPlan::download(PimDocument& document, const SyncAction& action) {
    const Record& server = action.server->Get<Record>();
    RecordLink link{action.kind, 0, action.href, action.etag, action.uid, action.server->RecordHash(), {}, {}, {}};
    const Record* current = action.id > 0 ? RecordTraits<Record>::In(document.Records()).Find(action.id) : nullptr;
    if (current) {
        const QByteArray hash = recordtext::LocalHash(*current, m_changes);
        if (hash != link.hash) {
            if (action.type == SyncAction::Type::Conflict || hash != action.hash) {
                // Both sides changed it: the server's version takes the record, ours lives on as a new one.
                Record mine = *current;
                report.conflicts << QStringLiteral("%1 \"%2\": the server's version replaced it; this "
                                                   "program's version was kept as a new %1")
                                        .arg(kindWord(action.kind), nameOf(mine));
                if (const std::optional<int> kept = document.Add(std::move(mine)))
                    if constexpr (std::is_same_v<Record, Appointment>)
                        addChanged(document, *kept, m_changes.Of(action.id));
            }
            Record replacement = server;
            replacement.ID = action.id;
            document.Change(replacement);
            if constexpr (std::is_same_v<Record, Appointment>)
                replaceChanged(document, action.id, action.server->changed);
            ++report.downloaded;
        }
        link.id = action.id;
        link.fingerprint =
            recordtext::Fingerprint(*RecordTraits<Record>::In(document.Records()).Find(action.id), m_changes);
    } else {
        const std::optional<int> id = document.Add(server);
        if (!id) {
            report.errors
                << QStringLiteral("%1 \"%2\": no room left in the document").arg(kindWord(action.kind), nameOf(server));
            return;
        }
        if constexpr (std::is_same_v<Record, Appointment>)
            replaceChanged(document, *id, action.server->changed);
        link.id = *id;
        link.fingerprint = recordtext::Fingerprint(*RecordTraits<Record>::In(document.Records()).Find(*id), m_changes);
        ++report.downloaded;
    }
    m_links.insert(link.href, link);
}

// A series' changed occurrences as the server has them, in place of those the document had.
void SyncPlan::replaceChanged(PimDocument& document, int seriesId, const std::vector<Appointment>& changed) {
    for (const Appointment& old : m_changes.Of(seriesId))
        document.RemoveAppointment(old.ID);
    m_changes.Forget(seriesId);
    addChanged(document, seriesId, changed);
}

void SyncPlan::addChanged(PimDocument& document, int seriesId, std::vector<Appointment> changed) {
    for (Appointment& occurrence : changed) {
        occurrence.SeriesID = seriesId;
        if (const std::optional<int> id = document.Add(occurrence)) {
            occurrence.ID = *id;
            m_changes.Add(occurrence);
        }
    }
}

void SyncPlan::remove(PimDocument& document, const SyncAction& action) {
    const QByteArray hash = VisitRecordKind(action.kind, [&](auto* type) {
        using Record = std::remove_pointer_t<decltype(type)>;
        const Record* record = RecordTraits<Record>::In(document.Records()).Find(action.id);
        return record ? recordtext::LocalHash(*record, m_changes) : QByteArray();
    });
    const auto link = m_links.find(action.href);
    if (!hash.isEmpty() && hash != action.hash) {
        if (link != m_links.end())
            link->etag.clear(); // changed here meanwhile: created on the server again
        return;
    }
    if (!hash.isEmpty()) {
        switch (action.kind) {
        case RecordKind::Person:
            document.RemovePerson(action.id);
            break;
        case RecordKind::Appointment:
            for (const Appointment& changed : m_changes.Of(action.id))
                document.RemoveAppointment(changed.ID);
            m_changes.Forget(action.id);
            document.RemoveAppointment(action.id);
            break;
        case RecordKind::Task:
            document.RemoveTask(action.id);
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
    std::vector<RecordKind> held;
    {
        const DocumentBatch batch(document, QStringLiteral("Synchronize"), DocumentBatch::Kind::Synchronize);
        m_changes = recordtext::SeriesChanges(document.Records());
        if (m_newIdentity)
            document.SetIdentity(m_identity.toStdString());
        for (const SyncAction& action : m_incoming) {
            if (action.type == SyncAction::Type::RemoveHere) {
                if (holdsBack(action.kind, true)) {
                    ++report.heldBack;
                    held.push_back(action.kind);
                } else {
                    remove(document, action);
                }
                continue;
            }
            VisitRecordKind(action.kind,
                            [&](auto* type) { download<std::remove_pointer_t<decltype(type)>>(document, action); });
        }
    }
    m_incoming.clear();
    for (RecordKind kind : kRecordKinds) {
        CollectionState& state = m_state.Collection(kind);
        // Deletions held back are listed again next time: the token stays where it was.
        if (std::find(held.begin(), held.end(), kind) != held.end())
            m_tokens.remove(state.url);
    }
    for (RecordKind kind : kRecordKinds) {
        CollectionState& state = m_state.Collection(kind);
        if (m_tokens.contains(state.url))
            state.token = m_tokens.value(state.url);
    }
}

void SyncPlan::keepLastIds(const PimRecords& records) {
    for (RecordKind kind : kRecordKinds)
        m_state.lastIds[kind] = VisitRecordKind(kind, [&](auto* type) {
            return RecordTraits<std::remove_pointer_t<decltype(type)>>::In(records).LastID();
        });
}

bool SyncPlan::Finish() {
    // Stopped before the server said anything about the collections: the state stays as it was.
    if (!m_resolved)
        return true;
    m_state.identity = m_identity;
    m_state.links.assign(m_links.cbegin(), m_links.cend());
    std::sort(m_state.links.begin(), m_state.links.end(),
              [](const RecordLink& a, const RecordLink& b) { return a.href < b.href; });
    // What is left on the server is named in every report, not only the first.
    for (const RecordLink& link : m_state.links)
        if (link.id == 0)
            report.skipped << QStringLiteral("%1: %2").arg(link.name, link.reason);
    if (m_state.Save(m_statePath))
        return true;
    report.errors << QStringLiteral("The synchronization state could not be written to %1.").arg(m_statePath);
    return false;
}

} // namespace davsync
