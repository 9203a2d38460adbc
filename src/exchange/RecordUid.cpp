#include "RecordUid.h"

#include <QFileInfo>
#include <QUuid>

namespace recorduid {

namespace {
// The namespace of every UID this program makes; fixed once, never to change.
const QUuid kNamespace(QStringLiteral("{6f1c2a4e-3b7d-4c59-9e21-0d8a5b7f3c64}"));

} // namespace

QString DocumentKey(const QString& fileName) {
    const bool untitled = fileName.isEmpty() || fileName.compare(QLatin1String("Untitled"), Qt::CaseInsensitive) == 0;
    return untitled ? QStringLiteral("Untitled") : QFileInfo(fileName).fileName();
}

std::string Uid(const QString& documentKey, RecordKind kind, int id) {
    const QString name =
        documentKey + QLatin1Char('/') + QLatin1String(RecordKindKey(kind)) + QLatin1Char('/') + QString::number(id);
    return QUuid::createUuidV5(kNamespace, name).toString(QUuid::WithoutBraces).toStdString();
}

std::string UrnUid(const QString& documentKey, RecordKind kind, int id) {
    return "urn:uuid:" + Uid(documentKey, kind, id);
}

} // namespace recorduid
