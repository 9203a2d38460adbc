#pragma once

#include <QString>

#include <optional>

namespace platform {
class PromptService;
}

// What "Turn off reminder" on an occurrence of a series means: this occurrence only, or every
// occurrence of the series.
enum class ReminderScope { ThisOccurrence, AllOccurrences };

// Asks which is meant, with the choices "Only this occurrence" and "All occurrences" beside Cancel;
// nothing when the user cancels.
std::optional<ReminderScope> AskSeriesReminderScope(platform::PromptService& prompts, const QString& description);
