#pragma once

#include "docfile/SeriesOperations.h"

#include <QString>

#include <functional>
#include <optional>

class DateTime;
class PimDocument;
class QWidget;

namespace platform {
class PromptService;
}

// Edit and Delete of an appointment as a day lists it. For an occurrence of a series the user is
// first asked which occurrences are meant: "Only this occurrence", "This and all following" or "All
// occurrences" (Cancel, or Esc, does nothing). Without a prompt service nothing is asked, and all
// occurrences are meant, as when a series is edited as a whole.
namespace OccurrenceEditing {

// Opens the editor over what the choice means and stores its result as one undo step.
bool Edit(QWidget* parent, PimDocument& document, int id, const DateTime& day, platform::PromptService* prompts);
// A change made without the editor (an appointment dragged to other times): asks as Edit does, then
// applies `change` to the record the choice means and stores it as one undo step. False when
// nothing changed or the choice was cancelled.
bool Change(PimDocument& document, int id, const DateTime& day, platform::PromptService* prompts,
            const std::function<void(Appointment&)>& change);
// Nothing for a record that is no occurrence of a series (the plain deletion with its confirmation
// applies); otherwise whether anything was deleted.
std::optional<bool> Delete(PimDocument& document, int id, const DateTime& day, platform::PromptService* prompts);

// The three choices, in their order; nothing when cancelled.
std::optional<SeriesScope> AskScope(platform::PromptService& prompts, const QString& question);

} // namespace OccurrenceEditing
