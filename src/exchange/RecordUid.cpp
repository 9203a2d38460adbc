#include "RecordUid.h"

#include <QFileInfo>
#include <QUuid>

namespace recorduid {

namespace {
// The namespace of every UID this program makes; fixed once, never to change.
const QUuid kNamespace(QStringLiteral("{6f1c2a4e-3b7d-4c59-9e21-0d8a5b7f3c64}"));

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Person:
        return "person";
    case Kind::Appointment:
        return "appointment";
    case Kind::Task:
        return "task";
    }
    return "";
}
} // namespace

QString DocumentKey(const QString& fileName) {
    const bool untitled = fileName.isEmpty() || fileName.compare(QLatin1String("Untitled"), Qt::CaseInsensitive) == 0;
    return untitled ? QStringLiteral("Untitled") : QFileInfo(fileName).fileName();
}

std::string Uid(const QString& documentKey, Kind kind, int id) {
    const QString name =
        documentKey + QLatin1Char('/') + QLatin1String(kindName(kind)) + QLatin1Char('/') + QString::number(id);
    return QUuid::createUuidV5(kNamespace, name).toString(QUuid::WithoutBraces).toStdString();
}

std::string UrnUid(const QString& documentKey, Kind kind, int id) {
    return "urn:uuid:" + Uid(documentKey, kind, id);
}

} // namespace recorduid
