#include "ColumnReader.h"
#include "DelimitedTextOperations.h"
#include "DelimitedTextSettings.h"
#include "DelimitedTextWriter.h"
#include "ExportColumnSet.h"
#include "ImportTakeBack.h"
#include "TextValues.h"

#include "docfile/PimDocument.h"

#include <string>

namespace {
enum Column { Description, DueDate, Priority };
} // namespace

int ExportTasks(const PimRecords& records, const DelimitedTextSettings& settings) {
    const ExportColumnSet wanted(ExportColumns(RecordKind::Task), settings);
    DelimitedTextWriter writer(settings);
    int written = 0;
    if (!records.Tasks.Empty()) {
        if (settings.FirstLineHasNames)
            wanted.WriteHeader(writer);
        for (const auto& [id, task] : records.Tasks) {
            if (wanted.Wanted(Description))
                writer.AddValue(task.Description);
            if (wanted.Wanted(DueDate))
                writer.AddValue(textvalues::WriteDate(task.DueDate));
            if (wanted.Wanted(Priority))
                writer.AddValue(std::to_string(task.Priority));
            writer.EndLine();
            ++written;
        }
    }
    return writer.Save(settings.FilePath) ? written : 0;
}

std::optional<int> ImportTasks(PimDocument& document, const DelimitedTextSettings& settings, ImportReport* report) {
    ImportReport local;
    ImportReport& out = report ? *report : local;
    ColumnReader reader(settings, ImportColumns(RecordKind::Task));
    if (!reader.Start(out))
        return 0;
    // What a new task holds, made once: its constructor reads the clock.
    const Task fresh;
    DocumentBatch batch(document, QStringLiteral("Import"));
    while (reader.NextLine()) {
        if (reader.Field(Description).empty()) {
            out.Skip(ImportIssue::MissingValue, reader.Line());
            continue;
        }
        Task task = fresh;
        reader.Take(Description, task.Description);
        if (reader.Has(DueDate)) {
            const textvalues::DateReading due = textvalues::ClassifyDate(reader.Field(DueDate), task.DueDate);
            if (due != textvalues::DateReading::Day) {
                task.DueDate = DateTime::Today();
                // An empty field asks for the default; only text that is no date is worth a word.
                if (!textvalues::Trimmed(reader.Field(DueDate)).empty())
                    out.Default(due == textvalues::DateReading::OutOfRange ? ImportIssue::OutOfRange
                                                                           : ImportIssue::UnreadableDate,
                                reader.Line());
            }
        }
        if (reader.Has(Priority)) {
            const int priority = textvalues::ReadPriority(reader.Field(Priority));
            task.Priority = priority >= Task::High && priority <= Task::Done ? priority : Task::High;
        }
        if (!document.Add(std::move(task)))
            return TakeBackImport(batch);
        ++out.added;
    }
    return out.added;
}
