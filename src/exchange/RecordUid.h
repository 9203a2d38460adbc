#pragma once

#include "core/RecordKind.h"

#include <QString>

#include <string>

// Stable UIDs for exported records, so that exporting again updates what another program imported
// before instead of adding it twice. A UID is a name-based UUID of the document's file name
// (without its folder, so a document that moves keeps them; "Untitled" before the first save), the
// record's kind (its RecordKindKey) and its ID, which the document never gives to another record.
namespace recorduid {

// The key of the document stored under fileName (empty or "Untitled": one never saved).
QString DocumentKey(const QString& fileName);
// "urn:uuid:..." (vCard) or the bare UUID (iCalendar).
std::string Uid(const QString& documentKey, RecordKind kind, int id);
std::string UrnUid(const QString& documentKey, RecordKind kind, int id);

} // namespace recorduid
