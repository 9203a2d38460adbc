#include "SyncPlan.h"

#include "DavClient.h"
#include "RecordKinds.h"
#include "ServerListing.h"

namespace davsync {

using namespace recordkinds;

namespace {
// Requests sent together in one wait; the progress moves and a cancel is seen between batches.
constexpr std::size_t kUploadBatch = 64;
// A placeholder for an object written without an ETag in the answer: the next listing shows a
// different one, and the object's text then proves it unchanged.
const QByteArray kUnknownEtag = "-";
} // namespace

// One write of the upload step.
struct PendingWrite {
    Kind kind;
    int id;
    QString href;
    QByteArray body;
    QByteArray hash;
    QByteArray fingerprint;
    QString uid;
    QByteArray etag; // If-Match; empty: a creation (If-None-Match: *)
    bool remove = false;
    QString name;
};

template <class Record>
void SyncPlan::queueUploads(const PimRecords& snapshot, Kind kind, std::vector<PendingWrite>& uploads) {
    for (const auto& [id, record] : recordsOf<Record>(snapshot)) {
        const auto linked = m_linkOf.find({kind, id});
        RecordLink* link = nullptr;
        if (linked != m_linkOf.end()) {
            const auto found = m_links.find(linked->second);
            if (found != m_links.end() && found->id == id && found->kind == kind)
                link = &*found;
        }
        const QByteArray fingerprint = recordtext::Fingerprint(record);
        if (link && !link->etag.isEmpty() && link->fingerprint == fingerprint)
            continue;
        const std::string uid = link ? link->uid.toStdString() : ownUid(kind, id);
        const std::string text = recordtext::Render(record, uid);
        const QByteArray hash = recordtext::ContentHash(text);
        if (link && link->hash == hash && !link->etag.isEmpty()) {
            link->fingerprint = fingerprint; // changed only where the server does not look
            continue;
        }
        PendingWrite upload{kind,
                            id,
                            QString(),
                            QByteArray::fromStdString(text),
                            hash,
                            fingerprint,
                            QString::fromStdString(uid),
                            QByteArray(),
                            false,
                            nameOf(record)};
        if (link) {
            upload.href = link->href;
            upload.etag = link->etag;
        } else {
            // Named by the UID: a retry after a broken connection finds it instead of adding another.
            const QString file = QString::fromStdString(recorduid::Uid(m_documentKey, kind, id)) +
                                 (kind == Kind::Person ? QStringLiteral(".vcf") : QStringLiteral(".ics"));
            upload.href = HrefPath(urlOf(kind), file);
        }
        uploads.push_back(std::move(upload));
    }
}

bool SyncPlan::Upload(const PimRecords& snapshot, const SyncSession::Progress& progress) {
    if (!m_fetched)
        return false;
    m_linkOf.clear();
    for (const RecordLink& link : std::as_const(m_links))
        if (link.id > 0)
            m_linkOf[{link.kind, link.id}] = link.href;
    std::vector<PendingWrite> uploads;
    queueUploads<Person>(snapshot, Kind::Person, uploads);
    queueUploads<Appointment>(snapshot, Kind::Appointment, uploads);
    queueUploads<Task>(snapshot, Kind::Task, uploads);
    QStringList goneBoth; // deleted here, and gone from the server already
    for (const RecordLink& link : std::as_const(m_links)) {
        if (link.id == 0 || !localHash(snapshot, link.kind, link.id).isEmpty())
            continue;
        if (link.etag.isEmpty())
            goneBoth << link.href;
        else
            uploads.push_back({link.kind, link.id, link.href, {}, {}, {}, link.uid, link.etag, true, link.href});
    }
    for (const QString& href : goneBoth)
        m_links.remove(href);

    DavClient client(m_account.user, m_account.password, m_account.timeoutSeconds, &m_cancelled);
    const int total = int(uploads.size());
    for (std::size_t start = 0; start < uploads.size(); start += kUploadBatch) {
        progressTo(progress, QStringLiteral("Sending changes to the server"), int(start), total);
        std::vector<DavRequest> requests;
        const std::size_t end = std::min(uploads.size(), start + kUploadBatch);
        for (std::size_t i = start; i < end; ++i) {
            const PendingWrite& upload = uploads[i];
            const QUrl url = collection(upload.kind).url.resolved(QUrl::fromEncoded(upload.href.toUtf8()));
            DavRequest request{upload.remove ? "DELETE" : "PUT", url, upload.body, {}};
            if (!upload.remove)
                request.contentType =
                    upload.kind == Kind::Person ? "text/vcard; charset=utf-8" : "text/calendar; charset=utf-8";
            if (upload.etag.isEmpty())
                request.headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
            else
                request.headers.append(qMakePair(QByteArray("If-Match"), upload.etag));
            requests.push_back(std::move(request));
        }
        const std::vector<DavResponse> responses = client.SendAll(requests);
        for (std::size_t i = start; i < end; ++i) {
            const PendingWrite& upload = uploads[i];
            const DavResponse& response = responses[i - start];
            if (response.failure != DavFailure::None) {
                if (report.failure.isEmpty())
                    report.failure = DavClient::Describe(response, requests[i - start].url);
                continue;
            }
            if (upload.remove && (response.Ok() || response.status == 404 || response.status == 410)) {
                m_links.remove(upload.href);
                report.deletedThere += response.Ok() ? 1 : 0;
            } else if (response.Ok()) {
                m_links.insert(upload.href, RecordLink{upload.kind, upload.id, upload.href,
                                                       response.etag.isEmpty() ? kUnknownEtag : response.etag,
                                                       upload.uid, upload.hash, upload.fingerprint});
                ++report.uploaded;
            } else if (!upload.remove && (response.status == 404 || response.status == 409)) {
                report.failure = QStringLiteral("The collection %1 is not on the server any more.")
                                     .arg(collection(upload.kind).url.toDisplayString(QUrl::RemoveUserInfo));
            } else if (response.status == 412) {
                report.errors << QStringLiteral("%1 \"%2\": changed on the server meanwhile; the next "
                                                "synchronization brings both together")
                                     .arg(kindWord(upload.kind), upload.name);
            } else {
                report.errors << QStringLiteral("%1 \"%2\": %3")
                                     .arg(kindWord(upload.kind), upload.name,
                                          DavClient::Describe(response, requests[i - start].url));
            }
        }
        if (!report.failure.isEmpty())
            return false;
    }
    progressTo(progress, QStringLiteral("Sending changes to the server"), total, total);
    if (total > 0)
        passOwnWrites(client);
    return true;
}

// What this sync wrote would come back as changes next time; when nothing else changed since the
// token, the token moves past it.
void SyncPlan::passOwnWrites(DavClient& client) {
    QList<QUrl> done;
    for (Kind kind : kAll) {
        const QUrl url = collection(kind).url;
        const QString token = collection(kind).token;
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
        for (Kind sharing : kAll)
            if (collection(sharing).url == url)
                collection(sharing).token = listing.token;
    }
}

} // namespace davsync
