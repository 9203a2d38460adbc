#pragma once

#include "SyncSession.h"

#include "core/RecordKind.h"

#include <QString>

#include <string_view>

// What both halves of a sync's plan (reading and uploading) say while they work.
namespace davsync {

inline void progressTo(const SyncSession::Progress& progress, const QString& step, int done, int total) {
    if (progress)
        progress(step, done, total);
}

inline QString kindWord(RecordKind kind) {
    const std::string_view key = RecordKindKey(kind);
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace davsync
