#pragma once

class DateTime;
class PimDocument;
class QWidget;

namespace platform {
class PromptService;
}

// The record commands that open an editor. Each shows its dialog modally over the parent; on "&Ok"
// it writes the record into the document, marks the document modified, notifies the observers and
// returns true. "&Cancel", or an ID that is no longer in the document, changes nothing.
// The Add commands of tasks and appointments start on the calendar's day.
// A new person starts in the White Pages. The person sheet asks through `prompts` (a message box
// without one) before it stores a person listed in neither book.
bool AddPerson(QWidget* parent, PimDocument& document, platform::PromptService* prompts = nullptr);
bool EditPerson(QWidget* parent, PimDocument& document, int id, platform::PromptService* prompts = nullptr);
bool AddTask(QWidget* parent, PimDocument& document, const DateTime& day);
bool EditTask(QWidget* parent, PimDocument& document, int id);
bool AddAppointment(QWidget* parent, PimDocument& document, const DateTime& day);
// The same starting at a time chosen in a view (a slot of the week), lasting a quarter hour.
bool AddAppointmentAt(QWidget* parent, PimDocument& document, const DateTime& start);
bool EditAppointment(QWidget* parent, PimDocument& document, int id);
bool EditUser(QWidget* parent, PimDocument& document);
