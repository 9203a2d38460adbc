#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// What "Turn off reminder" on an occurrence of a series means: this occurrence only, or every
// occurrence of the series. Answers nothing when the user cancels.
enum class ReminderScope { ThisOccurrence, AllOccurrences };
using SeriesReminderQuestion = std::function<std::optional<ReminderScope>(const QString& description)>;

// The question as a message box over `over`: "Only this occurrence", "All occurrences", "Cancel".
std::optional<ReminderScope> AskSeriesReminderScope(const QString& description, QWidget* over);
