#pragma once

#include <QString>

struct Appointment;
struct Person;
struct Task;

namespace platform {
class PromptService;
}

// Asks before a record is deleted, naming it, with a "Do not ask again" check box. The choice is
// kept in the settings under "Options" as "ConfirmDelete" (1 or missing: ask, 0: delete at once);
// only a Yes with the box ticked stops the asking.
namespace DeleteConfirmation {

bool Confirm(platform::PromptService& prompt, const QString& question);
bool Asks();
// Options > "Ask Before &Deleting": brings the question back after "Do not ask again", or stops it.
void SetAsks(bool asks);

QString QuestionFor(const Person& person);
QString QuestionFor(const Task& task);
QString QuestionFor(const Appointment& appointment);

} // namespace DeleteConfirmation
