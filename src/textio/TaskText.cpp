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
    const ExportColumnSet wanted(ExportColumns(RecordType::Tasks), settings);
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

int ImportTasks(PimDocument& document, const DelimitedTextSettings& settings) {
    ColumnReader reader(settings, ImportColumns(RecordType::Tasks));
    if (!reader.Start())
        return 0;
    // What a new task holds, made once: its constructor reads the clock.
    const Task fresh;
    const auto mark = document.Tasks.Position();
    const bool wasModified = document.IsModified();
    int added = 0;
    while (reader.NextLine()) {
        if (reader.Field(Description).empty())
            continue;
        Task task = fresh;
        task.Description = std::string(textvalues::Trimmed(reader.Field(Description)));
        if (reader.Has(DueDate) && !textvalues::ReadDate(reader.Field(DueDate), task.DueDate))
            task.DueDate = DateTime::Today();
        if (reader.Has(Priority)) {
            const int priority = textvalues::LeadingInteger(reader.Field(Priority));
            task.Priority = priority >= Task::High && priority <= Task::Done ? priority : Task::High;
        }
        if (!document.Tasks.Add(std::move(task)))
            return TakeBackImport(document, document.Tasks, mark, wasModified);
        document.SetModified(true);
        document.NotifyChanged();
        ++added;
    }
    return added;
}
