#include "SyncReport.h"

namespace davsync {

namespace {
void appendList(QString& text, const QString& heading, const QStringList& lines) {
    if (lines.isEmpty())
        return;
    text += heading.arg(lines.size()) + QLatin1Char('\n');
    for (const QString& line : lines)
        text += QStringLiteral("  ") + line + QLatin1Char('\n');
}
} // namespace

QString SyncReport::Text() const {
    QString text;
    if (!Succeeded())
        text += QStringLiteral("Synchronization stopped: %1\n").arg(failure);
    text += QStringLiteral("Uploaded: %1\nDownloaded: %2\nDeleted here: %3\nDeleted on the server: %4\n")
                .arg(uploaded)
                .arg(downloaded)
                .arg(deletedHere)
                .arg(deletedThere);
    if (heldBack > 0)
        text += QStringLiteral("Deletions held back, too many to make unasked: %1\n").arg(heldBack);
    appendList(text, QStringLiteral("Conflicts, kept both versions: %1"), conflicts);
    appendList(text, QStringLiteral("Errors, retried by the next synchronization: %1"), errors);
    appendList(text, QStringLiteral("Left on the server, not held here: %1"), skipped);
    appendList(text, QStringLiteral("Also on the server, not synchronized (another can be chosen): %1"),
               otherCollections);
    for (const QString& note : notes)
        text += note + QLatin1Char('\n');
    return text;
}

} // namespace davsync
