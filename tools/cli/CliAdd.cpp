#include "CliAdd.h"

#include "CliArguments.h"
#include "CliDocfile.h"
#include "CliUsage.h"
#include "StderrPromptService.h"
#include "core/OccurrenceIndex.h"
#include "core/QuickEntry.h"
#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/LocaleFormat.h"
#include "platform/TextCodec.h"

#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace {

int fail(const QString& problem) {
    std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(problem));
    return kCliFailure;
}

QString hhmm(const DateTime& time) {
    return QString::fromStdString(time.Format("%H:%M"));
}

// The new appointment's first day as agenda lists it: "2027-06-03 all day     [day 1/5] Trip".
void printCreated(const PimDocument& document, int id) {
    const CalendarDate first = CalendarDate::Of(document.Appointments().Find(id)->DueDate);
    for (const DayOccurrence& listed : Occurrences::Between(document.Records(), first, first)) {
        const Occurrence& o = listed.occurrence;
        if (o.id != id)
            continue;
        QStringList marks;
        if (o.InSeries())
            marks << QStringLiteral("repeat");
        if (listed.dayCount > 1)
            marks << QStringLiteral("day %1/%2").arg(listed.dayNumber).arg(listed.dayCount);
        const QString mark =
            marks.isEmpty() ? QString() : QStringLiteral("[%1] ").arg(marks.join(QStringLiteral(", ")));
        const QString time = o.allDay ? QStringLiteral("all day") : hhmm(o.start) + QLatin1Char('-') + hhmm(o.end);
        std::printf("%s %-11s %s%s\n", listed.day.Iso().c_str(), qPrintable(time), qPrintable(mark),
                    platform::toQString(document.Appointments().Find(id)->Description).toUtf8().constData());
        return;
    }
}

} // namespace

int runAdd(const QStringList& args) {
    CliArguments arguments(kAddUsage);
    if (!arguments.Parse(args, 2))
        return kCliUsageError;
    const QString& path = arguments.Word(0);
    const quickentry::DateOrder order =
        platform::dayBeforeMonth() ? quickentry::DateOrder::DayFirst : quickentry::DateOrder::MonthFirst;
    const quickentry::Reading reading =
        quickentry::Read(arguments.Word(1).toStdString(), CalendarDate::Of(DateTime::Today()), order);
    if (!reading.Understood())
        return fail(QStringLiteral("no date or time in '%1'; nothing was added").arg(arguments.Word(1)));

    // Held from reading to writing, so that no other program changes the file in between.
    const std::unique_ptr<DocumentLock> lock = lockForWriting(path);
    if (!lock)
        return kCliFailure;
    PimDocument document;
    if (QFileInfo::exists(path)) {
        StderrPromptService prompt;
        platform::FileError error = platform::FileError::None;
        if (!DocumentStorage(document).ReadFromFile(path, prompt, &error)) {
            reportFileError(path, error);
            return fail(QStringLiteral("cannot read the document '%1'").arg(path));
        }
    }
    const std::optional<int> id = document.Add(quickentry::ToAppointment(reading));
    if (!id)
        return fail(QStringLiteral("the document '%1' holds as many appointments as it can").arg(path));
    platform::FileError error = platform::FileError::None;
    if (!DocumentStorage(document).Save(path, &error)) {
        reportFileError(path, error);
        return fail(QStringLiteral("cannot write the document '%1'").arg(path));
    }
    printCreated(document, *id);
    return kCliSuccess;
}
