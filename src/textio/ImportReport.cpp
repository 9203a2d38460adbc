#include "ImportReport.h"

#include "DelimitedTextSettings.h"

#include "platform/TextCodec.h"

namespace {

QString missingText(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return QStringLiteral("no first name, last name or company");
    case RecordKind::Task:
        return QStringLiteral("no task");
    case RecordKind::Appointment:
        break;
    }
    return QStringLiteral("no appointment, date, start time or end time");
}

QString linesText(const LineTally& tally) {
    QStringList numbers;
    for (int line : tally.lines)
        numbers.append(QString::number(line));
    QString text =
        (tally.count == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) + numbers.join(QStringLiteral(", "));
    if (static_cast<std::size_t>(tally.count) > tally.lines.size())
        text += QStringLiteral(" and more");
    return text;
}

QString countText(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

void LineTally::Add(int line) {
    ++count;
    if (lines.size() < kLinesKept)
        lines.push_back(line);
}

int ImportReport::SkippedCount() const {
    int count = 0;
    for (const LineTally& tally : skipped)
        count += tally.count;
    return count;
}

QStringList DescribeImport(const ImportReport& report, const DelimitedTextSettings& settings) {
    QStringList text;
    if (report.failure != DelimitedTextReader::Failure::None)
        text.append(DescribeReadFailure(report.failure, settings.FilePath));
    const QString reasons[] = {missingText(settings.Type), QStringLiteral("overlaps another appointment"),
                               QStringLiteral("a date or time that cannot be read"),
                               QStringLiteral("a date out of range")};
    for (std::size_t i = 0; i < report.skipped.size(); ++i) {
        const LineTally& tally = report.skipped[i];
        if (tally.count > 0)
            text.append(QStringLiteral("%1 skipped, %2 (%3).")
                            .arg(countText(tally.count, "line", "lines"), reasons[i], linesText(tally)));
    }
    const QString defaults[] = {QString(), QString(), QStringLiteral("could not be read"),
                                QStringLiteral("was out of range")};
    for (std::size_t i = 0; i < report.defaulted.size(); ++i) {
        const LineTally& tally = report.defaulted[i];
        if (tally.count > 0)
            text.append(QStringLiteral("%1 %2 and became today (%3).")
                            .arg(countText(tally.count, "date", "dates"), defaults[i], linesText(tally)));
    }
    // A file of a million columns must not make a line of megabytes: the first few are named.
    constexpr qsizetype kNamedColumns = 10;
    QStringList unused;
    qsizetype unnamed = 0;
    if (settings.FirstLineHasNames) {
        for (std::size_t j = 0; j < settings.FirstLineFields.size(); ++j) {
            const bool fed = j < settings.SelectedFields.size() && !settings.SelectedFields[j].empty();
            if (fed || settings.FirstLineFields[j] == kEmptyFieldText)
                continue;
            if (unused.size() < kNamedColumns)
                unused.append(platform::toQString(settings.FirstLineFields[j]));
            else
                ++unnamed;
        }
    }
    if (unnamed > 0)
        unused.append(QStringLiteral("and %1 more").arg(unnamed));
    if (!unused.isEmpty())
        text.append(QStringLiteral("Columns not imported: %1.").arg(unused.join(QStringLiteral(", "))));
    return text;
}
