#include "ExchangeReport.h"

#include "core/RecordCollection.h"
#include "platform/AtomicFile.h"

namespace {
QString count(int n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
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
        QString line = count(tasks, "task added", "tasks added");
        if (allDayTasks > 0)
            line += QStringLiteral(" (%1 from all-day events)").arg(allDayTasks);
        lines << line;
    }
    if (alreadyPresent > 0)
        lines << count(alreadyPresent, "already present", "already present");
    if (!skipped.empty()) {
        lines << count(static_cast<int>(skipped.size()), "skipped:", "skipped:");
        const int shown = listed < 0 ? static_cast<int>(skipped.size()) : std::min<int>(listed, skipped.size());
        for (int i = 0; i < shown; ++i)
            lines << QStringLiteral("  ") + QString::fromStdString(skipped[static_cast<size_t>(i)]);
        if (shown < static_cast<int>(skipped.size()))
            lines << QStringLiteral("  ... and %1 more").arg(skipped.size() - static_cast<size_t>(shown));
    }
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
