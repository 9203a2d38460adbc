#include "OccurrenceEditing.h"

#include "AppointmentDialog.h"
#include "RecordEditors.h"
#include "docfile/PimDocument.h"
#include "platform/LocaleFormat.h"
#include "platform/PromptService.h"
#include "platform/TextCodec.h"

namespace {

QString occurrenceQuestion(const PimDocument& document, const SeriesOccurrence& occurrence, const char* verb) {
    const Appointment* series = document.Appointments().Find(occurrence.seriesId);
    const CalendarDate date = occurrence.original;
    return QStringLiteral("\"%1\" on %2 is one occurrence of a repeating appointment. Which occurrences do you "
                          "want to %3?")
        .arg(series ? platform::toQString(series->Description) : QString(),
             platform::toQString(
                 platform::formatDate(date.Year(), date.Month(), date.Day(), platform::DateStyle::Short)),
             QString::fromLatin1(verb));
}

std::optional<SeriesScope> scopeFor(const PimDocument& document, const SeriesOccurrence& occurrence,
                                    platform::PromptService* prompts, const char* verb) {
    if (!prompts)
        return SeriesScope::AllOccurrences;
    return OccurrenceEditing::AskScope(*prompts, occurrenceQuestion(document, occurrence, verb));
}

// Asks what a change of one occurrence means, lets `edit` make the record that choice stands for
// (nothing: cancelled) and stores it as one undo step.
bool changeOccurrence(PimDocument& document, const SeriesOccurrence& occurrence, platform::PromptService* prompts,
                      const std::function<std::optional<Appointment>(const Appointment&)>& edit) {
    const std::optional<SeriesScope> scope = scopeFor(document, occurrence, prompts, "change");
    if (!scope)
        return false;
    const std::optional<Appointment> record = SeriesOperations::RecordToEdit(document, occurrence, *scope);
    if (!record)
        return false;
    const std::optional<Appointment> changed = edit(*record);
    return changed && SeriesOperations::Change(document, occurrence, *scope, *changed);
}

} // namespace

namespace OccurrenceEditing {

std::optional<SeriesScope> AskScope(platform::PromptService& prompts, const QString& question) {
    const std::optional<int> choice =
        prompts.choose(question, QStringLiteral("Tavoro!"),
                       {QStringLiteral("Only this occurrence"), QStringLiteral("This and all following"),
                        QStringLiteral("All occurrences")});
    if (!choice || *choice < 0 || *choice > 2)
        return std::nullopt;
    return static_cast<SeriesScope>(*choice);
}

bool Edit(QWidget* parent, PimDocument& document, int id, const DateTime& day, platform::PromptService* prompts) {
    const std::optional<SeriesOccurrence> occurrence =
        SeriesOperations::OccurrenceOn(document, id, CalendarDate::Of(day));
    if (!occurrence)
        return EditAppointment(parent, document, id);
    return changeOccurrence(document, *occurrence, prompts, [parent](const Appointment& record) {
        AppointmentDialog dialog(AppointmentDraft(record), false, parent);
        return dialog.exec() == QDialog::Accepted ? std::optional(dialog.Result()) : std::nullopt;
    });
}

bool Change(PimDocument& document, int id, const DateTime& day, platform::PromptService* prompts,
            const std::function<void(Appointment&)>& change) {
    const std::optional<SeriesOccurrence> occurrence =
        SeriesOperations::OccurrenceOn(document, id, CalendarDate::Of(day));
    if (!occurrence) {
        const Appointment* stored = document.Appointments().Find(id);
        if (!stored)
            return false;
        Appointment changed = *stored;
        change(changed);
        return changed != *stored && document.Change(changed);
    }
    return changeOccurrence(document, *occurrence, prompts, [&change](Appointment record) {
        change(record);
        return std::optional(record);
    });
}

std::optional<bool> Delete(PimDocument& document, int id, const DateTime& day, platform::PromptService* prompts) {
    const std::optional<SeriesOccurrence> occurrence =
        SeriesOperations::OccurrenceOn(document, id, CalendarDate::Of(day));
    if (!occurrence)
        return std::nullopt;
    const std::optional<SeriesScope> scope = scopeFor(document, *occurrence, prompts, "delete");
    return scope && SeriesOperations::Delete(document, *occurrence, *scope);
}

} // namespace OccurrenceEditing
