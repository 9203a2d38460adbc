#include "SyncState.h"

#include "platform/AtomicFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace davsync {

namespace {

// 2: the document's identity and LastIDs, and the objects left on the server with their names.
// A state of version 1 names no document and is not trusted: everything is compared once.
constexpr int kVersion = 2;

QString key(RecordKind kind) {
    const std::string_view name = RecordKindKey(kind);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

bool kindOf(const QString& name, RecordKind& kind) {
    for (RecordKind k : kRecordKinds) {
        if (name == key(k)) {
            kind = k;
            return true;
        }
    }
    return false;
}

QJsonObject collectionJson(const CollectionState& collection) {
    return {{QStringLiteral("url"), collection.url.toString()}, {QStringLiteral("token"), collection.token}};
}

CollectionState collectionFrom(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    return {QUrl(object.value(QStringLiteral("url")).toString()), object.value(QStringLiteral("token")).toString()};
}

} // namespace

CollectionState& SyncState::Collection(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return contacts;
    case RecordKind::Appointment:
        return events;
    case RecordKind::Task:
        break;
    }
    return todos;
}

const CollectionState& SyncState::Collection(RecordKind kind) const {
    return const_cast<SyncState*>(this)->Collection(kind);
}

int SyncState::LastId(RecordKind kind) const {
    const auto found = lastIds.find(kind);
    return found == lastIds.end() ? 0 : found->second;
}

QString SyncState::PathFor(const QString& documentPath, const QUrl& server, const QString& user) {
    const QString document = documentPath.isEmpty() ? QString() : QFileInfo(documentPath).absoluteFilePath();
    const QByteArray name =
        (document + QLatin1Char('\n') + server.adjusted(QUrl::StripTrailingSlash).toString() + QLatin1Char('\n') + user)
            .toUtf8();
    const QString file = QString::fromLatin1(QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(data).filePath(QStringLiteral("sync/") + file + QStringLiteral(".json"));
}

bool SyncState::Load(const QString& path, SyncState& state, QString* problem) {
    state = SyncState();
    platform::FileError error = platform::FileError::None;
    const std::optional<std::string> text = platform::ReadWholeFile(path, &error);
    if (!text) {
        if (problem && error != platform::FileError::Missing)
            *problem = QStringLiteral("The synchronization state %1 %2.").arg(path, platform::describe(error));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(*text), &parseError);
    const QJsonObject root = json.object();
    const int version = root.value(QStringLiteral("version")).toInt();
    if (json.isNull() || version < 1 || version > kVersion) {
        if (problem)
            *problem = QStringLiteral("The synchronization state %1 is damaged; everything was compared.").arg(path);
        return false;
    }
    state.identity = root.value(QStringLiteral("identity")).toString();
    const QJsonObject lastIds = root.value(QStringLiteral("lastIds")).toObject();
    for (RecordKind kind : kRecordKinds)
        state.lastIds[kind] = lastIds.value(key(kind)).toInt();
    state.contacts = collectionFrom(root.value(QStringLiteral("contacts")));
    state.events = collectionFrom(root.value(QStringLiteral("events")));
    state.todos = collectionFrom(root.value(QStringLiteral("todos")));
    const QJsonArray links = root.value(QStringLiteral("links")).toArray();
    state.links.reserve(links.size());
    for (const QJsonValue& value : links) {
        const QJsonObject object = value.toObject();
        RecordLink link;
        if (!kindOf(object.value(QStringLiteral("kind")).toString(), link.kind))
            continue;
        link.id = object.value(QStringLiteral("id")).toInt();
        link.href = object.value(QStringLiteral("href")).toString();
        link.etag = object.value(QStringLiteral("etag")).toString().toUtf8();
        link.uid = object.value(QStringLiteral("uid")).toString();
        link.hash = object.value(QStringLiteral("hash")).toString().toLatin1();
        link.fingerprint = object.value(QStringLiteral("fingerprint")).toString().toLatin1();
        link.name = object.value(QStringLiteral("name")).toString();
        link.reason = object.value(QStringLiteral("reason")).toString();
        if (!link.href.isEmpty())
            state.links.push_back(std::move(link));
    }
    return true;
}

bool SyncState::Save(const QString& path) const {
    QJsonArray linkArray;
    for (const RecordLink& link : links) {
        QJsonObject object{{QStringLiteral("kind"), key(link.kind)},
                           {QStringLiteral("id"), link.id},
                           {QStringLiteral("href"), link.href},
                           {QStringLiteral("etag"), QString::fromUtf8(link.etag)},
                           {QStringLiteral("uid"), link.uid},
                           {QStringLiteral("hash"), QString::fromLatin1(link.hash)},
                           {QStringLiteral("fingerprint"), QString::fromLatin1(link.fingerprint)}};
        if (link.id == 0) {
            object.insert(QStringLiteral("name"), link.name);
            object.insert(QStringLiteral("reason"), link.reason);
        }
        linkArray.append(object);
    }
    QJsonObject lastIdObject;
    for (RecordKind kind : kRecordKinds)
        lastIdObject.insert(key(kind), LastId(kind));
    const QJsonObject root{{QStringLiteral("version"), kVersion},
                           {QStringLiteral("identity"), identity},
                           {QStringLiteral("lastIds"), lastIdObject},
                           {QStringLiteral("contacts"), collectionJson(contacts)},
                           {QStringLiteral("events"), collectionJson(events)},
                           {QStringLiteral("todos"), collectionJson(todos)},
                           {QStringLiteral("links"), linkArray}};
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const QByteArray text = QJsonDocument(root).toJson(QJsonDocument::Compact);
    return platform::WriteFileAtomically(path, std::string_view(text.constData(), text.size()));
}

} // namespace davsync
