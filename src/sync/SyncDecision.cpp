#include "SyncDecision.h"

#include "exchange/RecordUid.h"
#include "platform/TextCodec.h"

#include <QSet>

#include <algorithm>
#include <map>
#include <set>
#include <type_traits>

namespace davsync {

namespace {

using Type = SyncAction::Type;

QString uidFrom(const QString& key, RecordKind kind, int id) {
    const std::string uid =
        kind == RecordKind::Person ? recorduid::UrnUid(key, kind, id) : recorduid::Uid(key, kind, id);
    return QString::fromStdString(uid);
}

template <class Record>
QByteArray localHash(const PimRecords& records, const recordtext::SeriesChanges& changes, int id) {
    const Record* record = RecordTraits<Record>::In(records).Find(id);
    return record ? recordtext::LocalHash(*record, changes) : QByteArray();
}

template <class Record>
QByteArray fingerprint(const PimRecords& records, const recordtext::SeriesChanges& changes, int id) {
    const Record* record = RecordTraits<Record>::In(records).Find(id);
    return record ? recordtext::Fingerprint(*record, changes) : QByteArray();
}

// A changed occurrence of a series held here travels inside its series' object, never on its own.
template <class Record> bool insideSeries(const Record&, const PimRecords&) {
    return false;
}
template <> bool insideSeries(const Appointment& appointment, const PimRecords& records) {
    return recordtext::SeriesChanges::InsideSeries(appointment, records);
}

template <class Record> QString name(const Record& record);
template <> QString name(const Person& person) {
    return platform::toQString(DisplayName(person)).simplified();
}
template <> QString name(const Appointment& appointment) {
    return platform::toQString(appointment.Description).simplified();
}
template <> QString name(const Task& task) {
    return platform::toQString(task.Description).simplified();
}

class Decision {
public:
    explicit Decision(const SyncInput& input)
        : m_in(input), m_local(*input.local), m_changes(*input.local), m_links(*input.links) {
        for (const RecordLink& link : m_links)
            if (link.id > 0)
                m_linkOf[{link.kind, link.id}] = link.href;
    }

    std::vector<SyncAction> Run() {
        for (const CollectionListing& listing : m_in.listings)
            serverSide(listing);
        localSide<Person>();
        localSide<Task>();
        localSide<Appointment>();
        deletedHere();
        return std::move(m_actions);
    }

private:
    // --- what the record here says -------------------------------------------------------------

    bool exists(RecordKind kind, int id) const {
        return VisitRecordKind(kind, [&](auto* type) {
            using Record = std::remove_pointer_t<decltype(type)>;
            return RecordTraits<Record>::In(m_local).Find(id) != nullptr;
        });
    }
    QByteArray fingerprintOf(RecordKind kind, int id) const {
        return VisitRecordKind(kind, [&](auto* type) {
            return fingerprint<std::remove_pointer_t<decltype(type)>>(m_local, m_changes, id);
        });
    }
    QByteArray hashOf(RecordKind kind, int id) {
        const auto known = m_hashes.find({kind, id});
        if (known != m_hashes.end())
            return known->second;
        const QByteArray hash = VisitRecordKind(
            kind, [&](auto* type) { return localHash<std::remove_pointer_t<decltype(type)>>(m_local, m_changes, id); });
        m_hashes[{kind, id}] = hash;
        return hash;
    }
    // The record's hash; its last synchronised one while its fields are as they were then.
    QByteArray currentHash(const RecordLink& link) {
        if (!link.fingerprint.isEmpty() && fingerprintOf(link.kind, link.id) == link.fingerprint)
            return link.hash;
        return hashOf(link.kind, link.id);
    }
    QString nameOf(RecordKind kind, int id) const {
        return VisitRecordKind(kind, [&](auto* type) {
            using Record = std::remove_pointer_t<decltype(type)>;
            const Record* record = RecordTraits<Record>::In(m_local).Find(id);
            return record ? name(*record) : QString();
        });
    }

    // --- records not yet tied to an object: matched by UID, then by content ----------------------

    void indexUnlinked() {
        if (m_indexed)
            return;
        m_indexed = true;
        for (RecordKind kind : kRecordKinds) {
            VisitRecordKind(kind, [&](auto* type) {
                using Record = std::remove_pointer_t<decltype(type)>;
                for (const auto& [id, record] : RecordTraits<Record>::In(m_local)) {
                    if (m_linkOf.count({kind, id}) || insideSeries(record, m_local))
                        continue;
                    for (const QString& key : {m_in.identity, m_in.legacyKey})
                        if (!key.isEmpty())
                            m_byUid[{kind, uidFrom(key, kind, id)}] = id;
                    m_byHash.emplace(std::pair{kind, hashOf(kind, id)}, id);
                }
            });
        }
    }
    int take(RecordKind kind, int id) {
        if (m_touched.count({kind, id}))
            return 0;
        m_touched.insert({kind, id});
        return id;
    }
    int matchByUid(RecordKind kind, const QString& uid) {
        indexUnlinked();
        const auto byUid = m_byUid.find({kind, uid});
        return byUid == m_byUid.end() ? 0 : take(kind, byUid->second);
    }
    int matchByContent(RecordKind kind, const QByteArray& hash) {
        indexUnlinked();
        const auto [first, last] = m_byHash.equal_range({kind, hash});
        for (auto it = first; it != last; ++it)
            if (const int id = take(kind, it->second))
                return id;
        return 0;
    }

    // --- the server's side ----------------------------------------------------------------------

    SyncAction action(Type type, RecordKind kind, int id, const QString& href, const QByteArray& etag,
                      const QString& uid) {
        SyncAction a;
        a.type = type;
        a.kind = kind;
        a.id = id;
        a.href = href;
        a.etag = etag;
        a.uid = uid;
        return a;
    }

    void serverSide(const CollectionListing& listing) {
        const auto holds = [&](RecordKind kind) {
            return std::find(listing.kinds.begin(), listing.kinds.end(), kind) != listing.kinds.end();
        };
        QSet<QString> listed;
        for (const ListedObject& object : listing.objects) {
            if (object.gone)
                gone(object.href);
            else
                listed.insert(object.href);
        }
        // Only a listing of every member tells that one not in it is gone.
        if (listing.complete) {
            QStringList missing;
            for (const RecordLink& link : m_links)
                if (holds(link.kind) && !listed.contains(link.href))
                    missing << link.href;
            missing.sort();
            for (const QString& href : missing)
                gone(href);
        }
        for (const CollectionListing::Copy& copy : listing.copies) {
            auto object = std::make_shared<const recordtext::ServerObject>(copy.object);
            if (object->kind && holds(*object->kind))
                held(copy, object);
            else
                notHeld(copy, object, listing.kinds.front());
        }
    }

    void gone(const QString& href) {
        const auto found = m_links.constFind(href);
        if (found == m_links.cend() || m_gone.contains(href))
            return;
        m_gone.insert(href);
        const RecordLink& link = *found;
        SyncAction a = action(Type::Forget, link.kind, link.id, href, QByteArray(), link.uid);
        if (link.id > 0 && exists(link.kind, link.id)) {
            m_touched.insert({link.kind, link.id});
            a.hash = currentHash(link);
            a.type = a.hash == link.hash ? Type::RemoveHere : Type::KeepHere;
            a.name = nameOf(link.kind, link.id);
        }
        m_actions.push_back(std::move(a));
    }

    void held(const CollectionListing::Copy& copy, const std::shared_ptr<const recordtext::ServerObject>& object) {
        const RecordKind kind = *object->kind;
        const QByteArray serverHash = object->RecordHash();
        const QString uid = QString::fromStdString(object->uid);
        SyncAction a = action(Type::Download, kind, 0, copy.href, copy.etag, uid);
        a.server = object;
        a.name = object->name;
        const auto found = m_links.constFind(copy.href);
        const bool linked = found != m_links.cend() && found->id > 0 && found->kind == kind;
        int id = linked ? found->id : 0;
        if (linked && !exists(kind, id)) {
            // Deleted here and changed there: the change is kept, as a record of its own again.
            m_touched.insert({kind, id});
            m_actions.push_back(std::move(a));
            return;
        }
        QByteArray lastHash = linked ? found->hash : QByteArray();
        if (linked) {
            m_touched.insert({kind, id});
        } else {
            // The first synchronisation, or a lost state: the same record here, by UID or by
            // content, is this object and never a second copy of it.
            id = matchByUid(kind, uid);
            if (!id)
                id = matchByContent(kind, serverHash);
        }
        if (!id) {
            m_actions.push_back(std::move(a));
            return;
        }
        a.id = id;
        a.hash = linked ? currentHash(*found) : hashOf(kind, id);
        if (a.hash == serverHash) {
            a.type = Type::Link;
            a.fingerprint = fingerprintOf(kind, id);
        } else if (linked && a.hash == lastHash) {
            a.type = Type::Download;
        } else {
            // Changed here as well, or matched by UID with another content: whose is newer cannot
            // be told, so both are kept.
            a.type = Type::Conflict;
            a.name = nameOf(kind, id);
        }
        m_actions.push_back(std::move(a));
    }

    void notHeld(const CollectionListing::Copy& copy, const std::shared_ptr<const recordtext::ServerObject>& object,
                 RecordKind collectionKind) {
        const QString uid = QString::fromStdString(object->uid);
        SyncAction a = action(Type::LeaveOnServer, object->kind.value_or(collectionKind), 0, copy.href, copy.etag, uid);
        a.server = object;
        a.name = object->name.isEmpty() ? copy.href : object->name;
        a.reason = object->reason.isEmpty() ? QStringLiteral("not kept in this collection here") : object->reason;
        const auto found = m_links.constFind(copy.href);
        if (found != m_links.cend() && found->id > 0) {
            // Tied to a record before: the tie stays, and the record stays as it is.
            a.kind = found->kind;
            a.id = found->id;
            a.hash = found->hash;
            a.fingerprint = found->fingerprint;
            m_touched.insert({found->kind, found->id});
        } else if (object->kind) {
            // One of ours that reads back as something this program cannot hold (an appointment
            // running past midnight): tied to its record by UID, never sent a second time.
            if (const int id = matchByUid(*object->kind, uid)) {
                a.id = id;
                a.hash = hashOf(*object->kind, id);
                a.fingerprint = fingerprintOf(*object->kind, id);
            }
        } else {
            for (RecordKind kind : kRecordKinds) {
                if (const int id = matchByUid(kind, uid)) {
                    a.kind = kind;
                    a.id = id;
                    a.hash = hashOf(kind, id);
                    a.fingerprint = fingerprintOf(kind, id);
                    break;
                }
            }
        }
        m_actions.push_back(std::move(a));
    }

    // --- the records here -----------------------------------------------------------------------

    template <class Record> void localSide() {
        const RecordKind kind = RecordTraits<Record>::Kind;
        for (const auto& [id, record] : RecordTraits<Record>::In(m_local)) {
            if (m_touched.count({kind, id}) || insideSeries(record, m_local))
                continue;
            const auto linked = m_linkOf.find({kind, id});
            if (linked == m_linkOf.end()) {
                SyncAction a = action(Type::Create, kind, id, QString(), QByteArray(), OwnUid(m_in.identity, kind, id));
                a.name = name(record);
                m_actions.push_back(std::move(a));
                continue;
            }
            const RecordLink& link = *m_links.constFind(linked->second);
            if (link.etag.isEmpty()) {
                // Gone from the server while it changed here: made there again under its UID.
                SyncAction a = action(Type::Create, kind, id, link.href, QByteArray(), link.uid);
                a.name = name(record);
                m_actions.push_back(std::move(a));
                continue;
            }
            const QByteArray print = recordtext::Fingerprint(record, m_changes);
            if (!link.fingerprint.isEmpty() && print == link.fingerprint)
                continue;
            const QByteArray hash = hashOf(kind, id);
            SyncAction a =
                action(hash == link.hash ? Type::Link : Type::Update, kind, id, link.href, link.etag, link.uid);
            a.hash = hash;
            a.fingerprint = print;
            a.name = name(record);
            m_actions.push_back(std::move(a));
        }
    }

    void deletedHere() {
        QStringList hrefs;
        for (const RecordLink& link : m_links)
            if (link.id > 0 && !m_gone.contains(link.href) && !m_touched.count({link.kind, link.id}) &&
                !exists(link.kind, link.id))
                hrefs << link.href;
        hrefs.sort();
        for (const QString& href : hrefs) {
            const RecordLink& link = *m_links.constFind(href);
            m_actions.push_back(action(link.etag.isEmpty() ? Type::Forget : Type::RemoveThere, link.kind, link.id, href,
                                       link.etag, link.uid));
        }
    }

    const SyncInput& m_in;
    const PimRecords& m_local;
    const recordtext::SeriesChanges m_changes;
    const LinkTable& m_links;
    std::map<std::pair<RecordKind, int>, QString> m_linkOf;
    std::map<std::pair<RecordKind, int>, QByteArray> m_hashes;
    std::set<std::pair<RecordKind, int>> m_touched; // decided by what the server said
    QSet<QString> m_gone;
    bool m_indexed = false;
    std::map<std::pair<RecordKind, QString>, int> m_byUid;
    std::multimap<std::pair<RecordKind, QByteArray>, int> m_byHash;
    std::vector<SyncAction> m_actions;
};

QString typeWord(Type type) {
    switch (type) {
    case Type::Link:
        return QStringLiteral("link");
    case Type::Download:
        return QStringLiteral("download");
    case Type::Conflict:
        return QStringLiteral("conflict");
    case Type::RemoveHere:
        return QStringLiteral("remove-here");
    case Type::KeepHere:
        return QStringLiteral("keep-here");
    case Type::Update:
        return QStringLiteral("update");
    case Type::Create:
        return QStringLiteral("create");
    case Type::RemoveThere:
        return QStringLiteral("remove-there");
    case Type::Forget:
        return QStringLiteral("forget");
    case Type::LeaveOnServer:
        return QStringLiteral("leave");
    }
    return {};
}

} // namespace

std::vector<SyncAction> Decide(const SyncInput& input) {
    return Decision(input).Run();
}

QString Describe(const SyncAction& action) {
    const std::string_view kind = RecordKindKey(action.kind);
    QString text = typeWord(action.type) + QLatin1Char(' ') + QString::fromLatin1(kind.data(), qsizetype(kind.size())) +
                   QLatin1Char(' ') + QString::number(action.id);
    if (!action.href.isEmpty())
        text += QLatin1Char(' ') + action.href;
    return text;
}

QString OwnUid(const QString& identity, RecordKind kind, int id) {
    return uidFrom(identity, kind, id);
}

std::vector<DeletionCount> CountDeletions(const std::vector<SyncAction>& actions, const LinkTable& links) {
    std::vector<DeletionCount> counts;
    for (RecordKind kind : kRecordKinds)
        counts.push_back({kind, 0, 0, 0});
    const auto countOf = [&](RecordKind kind) -> DeletionCount& {
        return *std::find_if(counts.begin(), counts.end(), [kind](const DeletionCount& c) { return c.kind == kind; });
    };
    for (const RecordLink& link : links)
        if (link.id > 0)
            ++countOf(link.kind).linked;
    for (const SyncAction& action : actions) {
        if (action.type == Type::RemoveHere)
            ++countOf(action.kind).here;
        else if (action.type == Type::RemoveThere)
            ++countOf(action.kind).there;
    }
    return counts;
}

bool NeedsConsent(int deletions, int linked) {
    return deletions > 10 && deletions * 10 > linked;
}

} // namespace davsync
