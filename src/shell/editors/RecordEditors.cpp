#include "RecordEditors.h"

#include "AppointmentDialog.h"
#include "PersonSheet.h"
#include "TaskDialog.h"
#include "UserSheet.h"
#include "docfile/PimDocument.h"

namespace {

// Shows an editor over a stored record and, on "&Ok", hands its result to the document. The
// document refuses it when the record left the document while the dialog was open.
template <class Dialog> bool editStored(Dialog& dialog, PimDocument& document) {
    return dialog.exec() == QDialog::Accepted && document.Change(dialog.Result());
}

template <class Dialog> bool addNew(Dialog& dialog, PimDocument& document) {
    return dialog.exec() == QDialog::Accepted && document.Add(dialog.Result()).has_value();
}

} // namespace

bool AddPerson(QWidget* parent, PimDocument& document, platform::PromptService* prompts) {
    Person person;
    person.WhitePages = 1;
    PersonSheet sheet(person, true, parent);
    sheet.SetPromptService(prompts);
    return addNew(sheet, document);
}

bool EditPerson(QWidget* parent, PimDocument& document, int id, platform::PromptService* prompts) {
    const Person* person = document.Persons().Find(id);
    if (!person)
        return false;
    PersonSheet sheet(*person, false, parent);
    sheet.SetPromptService(prompts);
    return editStored(sheet, document);
}

bool AddTask(QWidget* parent, PimDocument& document, const DateTime& day) {
    Task task;
    task.DueDate = day.Date();
    task.Priority = Task::High;
    TaskDialog dialog(task, true, parent);
    return addNew(dialog, document);
}

bool EditTask(QWidget* parent, PimDocument& document, int id) {
    const Task* task = document.Tasks().Find(id);
    if (!task)
        return false;
    TaskDialog dialog(*task, false, parent);
    return editStored(dialog, document);
}

bool AddAppointment(QWidget* parent, PimDocument& document, const DateTime& day) {
    AppointmentDialog dialog(AppointmentDraft::ForNew(day, DateTime::Now()), true, parent);
    return addNew(dialog, document);
}

bool AddAppointmentAt(QWidget* parent, PimDocument& document, const DateTime& start) {
    AppointmentDialog dialog(AppointmentDraft::ForStart(start), true, parent);
    return addNew(dialog, document);
}

bool EditAppointment(QWidget* parent, PimDocument& document, int id) {
    const Appointment* appointment = document.Appointments().Find(id);
    if (!appointment)
        return false;
    AppointmentDialog dialog(AppointmentDraft(*appointment), false, parent);
    return editStored(dialog, document);
}

bool EditUser(QWidget* parent, PimDocument& document) {
    UserSheet sheet(document.User(), parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    document.ChangeUser(sheet.Result());
    return true;
}
