#include "SeriesReminderQuestion.h"

#include "platform/PromptService.h"

std::optional<ReminderScope> AskSeriesReminderScope(platform::PromptService& prompts, const QString& description) {
    const std::optional<int> choice =
        prompts.choose(QStringLiteral("\"%1\" repeats. Turn off the reminder of only this occurrence, or of all "
                                      "occurrences of the series?")
                           .arg(description),
                       QStringLiteral("Turn off reminder"),
                       {QStringLiteral("&Only this occurrence"), QStringLiteral("&All occurrences")});
    if (choice == 0)
        return ReminderScope::ThisOccurrence;
    if (choice == 1)
        return ReminderScope::AllOccurrences;
    return std::nullopt;
}
