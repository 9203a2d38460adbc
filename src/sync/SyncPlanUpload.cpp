#include "SyncPlan.h"

#include "DavClient.h"
#include "RecordPatch.h"
#include "RecordText.h"
#include "ServerListing.h"
#include "SyncPlanWords.h"

#include "platform/TextCodec.h"

#include <type_traits>

namespace davsync {

namespace {
// Requests sent together in one wait; the progress moves and a cancel is seen between batches.
constexpr std::size_t kUploadBatch = 64;
// A placeholder for an object written without an ETag in the answer: the next listing shows a
// different one, and the object's text then proves it unchanged.
const QByteArray kUnknownEtag = "-";

// The record written into the server's copy; a series with its changed occurrences.
template <class Record>
std::optional<std::string> patch(const QByteArray& copy, const Record& record, const recordtext::SeriesChanges&) {
    return recordpatch::Patch(std::string_view(copy.constData(), copy.size()), record);
}
std::optional<std::string> patch(const QByteArray& copy, const Appointment& series,
                                 const recordtext::SeriesChanges& changes) {
    return recordpatch::Patch(std::string_view(copy.constData(), copy.size()), series, changes.Of(series.ID));
}

// The file a new object is kept in on the server: its UID, which a retry after a broken
// connection finds again instead of adding a second object.
QString fileFor(const QString& uid, RecordKind kind) {
    QString name = uid;
    if (name.startsWith(QLatin1String("urn:uuid:")))
        name.remove(0, 9);
    return name + (kind == RecordKind::Person ? QStringLiteral(".vcf") : QStringLiteral(".ics"));
}

} // namespace

// One write of the upload step.
struct PendingWrite {
    SyncAction action;
    QUrl url;
    QByteArray body;
    QByteArray hash;
    QByteArray fingerprint;
    bool remove = false;
};

bool SyncPlan::Upload(const PimRecords& snapshot, const SyncSession::Progress& progress) {
    if (!m_fetched)
        return false;
    keepLastIds(snapshot);
    SyncInput input;
    input.local = &snapshot;
    input.links = &m_links;
    input.identity = m_identity;
    input.legacyKey = m_legacyKey;
    std::vector<SyncAction> actions = Decide(input);
    keepLinks(actions);
    const std::vector<DeletionCount> counts = CountDeletions(actions, m_links);
    std::vector<SyncAction> writes;
    for (SyncAction& action : actions) {
        using Type = SyncAction::Type;
        if (action.type == Type::RemoveThere) {
            const auto count = std::find_if(counts.begin(), counts.end(),
                                            [&](const DeletionCount& c) { return c.kind == action.kind; });
            if (!m_deletionsAllowed && NeedsConsent(count->there, count->linked)) {
                ++report.heldBack;
                continue;
            }
        }
        if (action.type == Type::Create || action.type == Type::Update || action.type == Type::RemoveThere)
            writes.push_back(std::move(action));
    }
    DavClient client(m_account.user, m_account.password, m_account.timeoutSeconds, &m_cancelled);
    if (!send(client, writes, snapshot, progress))
        return false;
    if (!writes.empty())
        passOwnWrites(client);
    return true;
}

bool SyncPlan::send(DavClient& client, const std::vector<SyncAction>& writes, const PimRecords& snapshot,
                    const SyncSession::Progress& progress) {
    using Type = SyncAction::Type;
    // The server's copies of the objects changed here, read just before the write: what they hold
    // that this program has no field for goes back with the change.
    QHash<QUrl, QStringList> toPatch;
    for (const SyncAction& action : writes)
        if (action.type == Type::Update)
            toPatch[m_state.Collection(action.kind).url] << action.href;
    QHash<QString, FetchedObject> copies;
    for (auto it = toPatch.cbegin(); it != toPatch.cend(); ++it) {
        QString failure;
        const bool contacts = it.key() == m_state.contacts.url;
        for (FetchedObject& copy : FetchObjects(client, it.key(), it.value(), contacts, failure))
            copies.insert(copy.href, std::move(copy));
        if (!failure.isEmpty()) {
            report.failure = failure;
            return false;
        }
    }

    const recordtext::SeriesChanges changes(snapshot);
    const int total = int(writes.size());
    for (std::size_t start = 0; start < writes.size(); start += kUploadBatch) {
        progressTo(progress, QStringLiteral("Sending changes to the server"), int(start), total);
        std::vector<PendingWrite> batch;
        std::vector<DavRequest> requests;
        const std::size_t end = std::min(writes.size(), start + kUploadBatch);
        for (std::size_t i = start; i < end; ++i) {
            PendingWrite write{writes[i], {}, {}, {}, {}, writes[i].type == Type::RemoveThere};
            SyncAction& action = write.action;
            const QUrl collection = m_state.Collection(action.kind).url;
            if (action.href.isEmpty())
                action.href = HrefPath(collection, fileFor(action.uid, action.kind));
            write.url = collection.resolved(QUrl::fromEncoded(action.href.toUtf8()));
            if (!write.remove) {
                const auto copy = copies.constFind(action.href);
                if (action.type == Type::Update && (copy == copies.cend() || copy->etag != action.etag)) {
                    report.errors << QStringLiteral("%1 \"%2\": changed on the server meanwhile; the next "
                                                    "synchronization brings both together")
                                         .arg(kindWord(action.kind), action.name);
                    continue;
                }
                const bool ok = VisitRecordKind(action.kind, [&](auto* type) {
                    using Record = std::remove_pointer_t<decltype(type)>;
                    const Record* record = RecordTraits<Record>::In(snapshot).Find(action.id);
                    if (!record)
                        return false;
                    std::optional<std::string> text;
                    if (action.type == Type::Update)
                        text = patch(copy->data, *record, changes);
                    if (!text)
                        text = recordtext::Render(*record, action.uid.toStdString(), changes);
                    write.body = QByteArray::fromStdString(*text);
                    write.hash = recordtext::LocalHash(*record, changes);
                    write.fingerprint = recordtext::Fingerprint(*record, changes);
                    return true;
                });
                if (!ok)
                    continue;
            }
            DavRequest request{write.remove ? "DELETE" : "PUT", write.url, write.body, {}};
            if (!write.remove)
                request.contentType =
                    action.kind == RecordKind::Person ? "text/vcard; charset=utf-8" : "text/calendar; charset=utf-8";
            if (action.etag.isEmpty())
                request.headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
            else
                request.headers.append(qMakePair(QByteArray("If-Match"), action.etag));
            requests.push_back(std::move(request));
            batch.push_back(std::move(write));
        }
        const std::vector<DavResponse> responses = client.SendAll(requests);
        for (std::size_t i = 0; i < batch.size(); ++i) {
            const PendingWrite& write = batch[i];
            const SyncAction& action = write.action;
            const DavResponse& response = responses[i];
            if (response.failure != DavFailure::None) {
                if (report.failure.isEmpty())
                    report.failure = DavClient::Describe(response, write.url);
                continue;
            }
            if (write.remove && (response.Ok() || response.status == 404 || response.status == 410)) {
                m_links.remove(action.href);
                report.deletedThere += response.Ok() ? 1 : 0;
            } else if (response.Ok()) {
                m_links.insert(action.href, RecordLink{action.kind,
                                                       action.id,
                                                       action.href,
                                                       response.etag.isEmpty() ? kUnknownEtag : response.etag,
                                                       action.uid,
                                                       write.hash,
                                                       write.fingerprint,
                                                       {},
                                                       {}});
                ++report.uploaded;
            } else if (response.status == 507) {
                // Nothing more fits: the rest would be refused the same way.
                report.failure = DavClient::Describe(response, write.url);
            } else if (!write.remove && (response.status == 404 || response.status == 409)) {
                report.failure = QStringLiteral("The collection %1 is not on the server any more.")
                                     .arg(m_state.Collection(action.kind).url.toDisplayString(QUrl::RemoveUserInfo));
            } else if (response.status == 412) {
                report.errors << QStringLiteral("%1 \"%2\": changed on the server meanwhile; the next "
                                                "synchronization brings both together")
                                     .arg(kindWord(action.kind), action.name);
            } else {
                report.errors << QStringLiteral("%1 \"%2\": %3")
                                     .arg(kindWord(action.kind), action.name, DavClient::Describe(response, write.url));
            }
        }
        if (!report.failure.isEmpty())
            return false;
    }
    progressTo(progress, QStringLiteral("Sending changes to the server"), total, total);
    return true;
}

// What this sync wrote would come back as changes next time; when nothing else changed since the
// token, the token moves past it.
void SyncPlan::passOwnWrites(DavClient& client) {
    QList<QUrl> done;
    for (RecordKind kind : kRecordKinds) {
        const QUrl url = m_state.Collection(kind).url;
        const QString token = m_state.Collection(kind).token;
        if (token.isEmpty() || done.contains(url))
            continue;
        done << url;
        const Listing listing = ListCollection(client, url, token);
        if (!listing.failure.isEmpty() || listing.complete || listing.token.isEmpty())
            continue;
        const bool ours =
            std::all_of(listing.objects.begin(), listing.objects.end(), [this](const ListedObject& object) {
                const auto link = m_links.constFind(object.href);
                return object.gone ? link == m_links.cend() : link != m_links.cend() && link->etag == object.etag;
            });
        if (!ours)
            continue;
        for (RecordKind sharing : kRecordKinds)
            if (m_state.Collection(sharing).url == url)
                m_state.Collection(sharing).token = listing.token;
    }
}

} // namespace davsync
