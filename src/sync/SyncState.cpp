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

constexpr int kVersion = 1;

const char* kindName(recorduid::Kind kind) {
    switch (kind) {
    case recorduid::Kind::Person:
        return "person";
    case recorduid::Kind::Appointment:
        return "appointment";
    case recorduid::Kind::Task:
        return "task";
    }
    return "";
}

bool kindOf(const QString& name, recorduid::Kind& kind) {
    for (recorduid::Kind k : {recorduid::Kind::Person, recorduid::Kind::Appointment, recorduid::Kind::Task}) {
        if (name == QLatin1String(kindName(k))) {
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

QString SyncState::PathFor(const QString& documentPath, const QUrl& server, const QString& user) {
    const QString document = documentPath.isEmpty() ? QString() : QFileInfo(documentPath).absoluteFilePath();
    const QByteArray key =
        (document + QLatin1Char('\n') + server.adjusted(QUrl::StripTrailingSlash).toString() + QLatin1Char('\n') + user)
            .toUtf8();
    const QString name = QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(data).filePath(QStringLiteral("sync/") + name + QStringLiteral(".json"));
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
    if (json.isNull() || root.value(QStringLiteral("version")).toInt() != kVersion) {
        if (problem)
            *problem = QStringLiteral("The synchronization state %1 is damaged; everything was compared.").arg(path);
        return false;
    }
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
        if (!link.href.isEmpty())
            state.links.push_back(std::move(link));
    }
    return true;
}

bool SyncState::Save(const QString& path) const {
    QJsonArray linkArray;
    for (const RecordLink& link : links) {
        linkArray.append(QJsonObject{{QStringLiteral("kind"), QLatin1String(kindName(link.kind))},
                                     {QStringLiteral("id"), link.id},
                                     {QStringLiteral("href"), link.href},
                                     {QStringLiteral("etag"), QString::fromUtf8(link.etag)},
                                     {QStringLiteral("uid"), link.uid},
                                     {QStringLiteral("hash"), QString::fromLatin1(link.hash)},
                                     {QStringLiteral("fingerprint"), QString::fromLatin1(link.fingerprint)}});
    }
    const QJsonObject root{{QStringLiteral("version"), kVersion},
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
