#include "ExchangeReport.h"

#include "core/RecordCollection.h"
#include "platform/AtomicFile.h"

namespace {
QString count(int n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// "N heading", then at most `listed` of the entries (-1: all), indented.
void addListed(QStringList& lines, const std::vector<std::string>& entries, const char* heading, int listed) {
    if (entries.empty())
        return;
    const int total = static_cast<int>(entries.size());
    lines << count(total, heading, heading);
    const int shown = listed < 0 ? total : std::min(listed, total);
    for (int i = 0; i < shown; ++i)
        lines << QStringLiteral("  ") + QString::fromStdString(entries[static_cast<size_t>(i)]);
    if (shown < total)
        lines << QStringLiteral("  ... and %1 more").arg(total - shown);
}
} // namespace

ExchangeReport ExchangeReport::NoIdLeft(Kind what) {
    ExchangeReport refused(what);
    refused.error = QString::fromLatin1(kNoIdLeft) + QStringLiteral(" Nothing was imported.");
    return refused;
}

QStringList ExchangeReport::Lines(int listed) const {
    if (Failed())
        return {error};
    QStringList lines;
    if (kind == Kind::Contacts) {
        lines << count(persons, "person added", "persons added");
    } else {
        lines << count(appointments, "appointment added", "appointments added");
        lines << count(tasks, "task added", "tasks added");
    }
    if (alreadyPresent > 0)
        lines << count(alreadyPresent, "already present", "already present");
    addListed(lines, skipped, "skipped:", listed);
    addListed(lines, changed, "changed:", listed);
    for (const std::string& note : notes)
        lines << QString::fromStdString(note);
    if (!unmapped.empty()) {
        int total = 0;
        QStringList names;
        for (const auto& [name, n] : unmapped) {
            total += n;
            names << (n == 1 ? QString::fromStdString(name)
                             : QStringLiteral("%1 (%2)").arg(QString::fromStdString(name)).arg(n));
        }
        lines << count(total, "property without a field: ", "properties without a field: ") +
                     names.join(QStringLiteral(", "));
    }
    return lines;
}

std::optional<std::string> ExchangeReport::Read(const QString& path) {
    std::optional<std::string> bytes = platform::ReadWholeFile(path);
    if (!bytes)
        error = QStringLiteral("Cannot read %1").arg(path);
    return bytes;
}

void ExchangeReport::Write(const QString& path, std::string_view text) {
    if (!platform::WriteFileAtomically(path, text))
        error = QStringLiteral("Cannot write %1").arg(path);
}
