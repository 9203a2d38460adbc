#include "DeleteConfirmation.h"

#include "core/Appointment.h"
#include "core/Person.h"
#include "core/Task.h"
#include "platform/LocaleFormat.h"
#include "platform/PromptService.h"
#include "platform/SettingsStore.h"
#include "platform/TextCodec.h"

namespace {

const QString kGroup = QStringLiteral("Options");
const QString kConfirmDelete = QStringLiteral("ConfirmDelete");

QString shortDate(const DateTime& day) {
    return platform::toQString(platform::formatDate(day.Year(), day.Month(), day.Day(), platform::DateStyle::Short));
}

} // namespace

namespace DeleteConfirmation {

bool Asks() {
    return platform::SettingsStore().readNumber(kGroup, kConfirmDelete).value_or(1) != 0;
}

void SetAsks(bool asks) {
    platform::SettingsStore().writeNumber(kGroup, kConfirmDelete, asks ? 1 : 0);
}

bool Confirm(platform::PromptService& prompt, const QString& question) {
    if (!Asks())
        return true;
    bool doNotAsk = false;
    const bool yes = prompt.question(question, QStringLiteral("Tavoro!"), QStringLiteral("Do not ask again"),
                                     doNotAsk) == platform::PromptAnswer::Yes;
    if (yes && doNotAsk)
        platform::SettingsStore().writeNumber(kGroup, kConfirmDelete, 0);
    return yes;
}

QString QuestionFor(const Person& person) {
    // The name as the phone book lists it.
    QString name = platform::toQString(ListedName(person));
    if (name.isEmpty())
        name = platform::toQString(person.Company);
    return name.isEmpty() ? QStringLiteral("Delete this unnamed person from the phone book?")
                          : QStringLiteral("Delete %1 from the phone book?").arg(name);
}

QString QuestionFor(const Task& task) {
    return QStringLiteral("Delete the task \"%1\" due %2?")
        .arg(platform::toQString(task.Description), shortDate(task.DueDate));
}

QString QuestionFor(const Appointment& appointment) {
    const DateTime& start = appointment.StartTime;
    return QStringLiteral("Delete the appointment \"%1\" on %2 at %3?")
        .arg(
            platform::toQString(appointment.Description), shortDate(appointment.DueDate),
            platform::toQString(platform::formatTime(start.Hour(), start.Minute(), 0, platform::TimeStyle::NoSeconds)));
}

} // namespace DeleteConfirmation
