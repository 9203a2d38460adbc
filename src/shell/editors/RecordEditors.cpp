#include "RecordEditors.h"

#include "AppointmentDialog.h"
#include "PersonSheet.h"
#include "TaskDialog.h"
#include "UserSheet.h"
#include "docfile/PimDocument.h"

namespace {

void changed(PimDocument& document) {
    document.SetModified(true);
    document.NotifyChanged();
}

// Shows an editor over a stored record and, on "&Ok", writes its result into the record in place.
// The record is looked up again afterwards: while the dialog was open it may have left the document.
template <class Dialog, class Record>
bool editStored(Dialog& dialog, PimDocument& document, RecordCollection<Record>& records, int id) {
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Record* stored = records.Find(id);
    if (!stored)
        return false;
    *stored = dialog.Result();
    changed(document);
    return true;
}

template <class Dialog, class Record>
bool addNew(Dialog& dialog, PimDocument& document, RecordCollection<Record>& records) {
    if (dialog.exec() != QDialog::Accepted || !records.Add(dialog.Result()))
        return false;
    changed(document);
    return true;
}

} // namespace

bool AddPerson(QWidget* parent, PimDocument& document) {
    PersonSheet sheet(Person(), true, parent);
    return addNew(sheet, document, document.Persons);
}

bool EditPerson(QWidget* parent, PimDocument& document, int id) {
    const Person* person = document.Persons.Find(id);
    if (!person)
        return false;
    PersonSheet sheet(*person, false, parent);
    return editStored(sheet, document, document.Persons, id);
}

bool AddTask(QWidget* parent, PimDocument& document) {
    Task task;
    task.DueDate = document.CurrentDate.Date();
    task.Priority = Task::High;
    TaskDialog dialog(task, true, parent);
    return addNew(dialog, document, document.Tasks);
}

bool EditTask(QWidget* parent, PimDocument& document, int id) {
    const Task* task = document.Tasks.Find(id);
    if (!task)
        return false;
    TaskDialog dialog(*task, false, parent);
    return editStored(dialog, document, document.Tasks, id);
}

bool AddAppointment(QWidget* parent, PimDocument& document) {
    AppointmentDialog dialog(AppointmentDraft::ForNew(document.CurrentDate, DateTime::Now()), true, parent);
    return addNew(dialog, document, document.Appointments);
}

bool EditAppointment(QWidget* parent, PimDocument& document, int id) {
    const Appointment* appointment = document.Appointments.Find(id);
    if (!appointment)
        return false;
    AppointmentDialog dialog(AppointmentDraft(*appointment), false, parent);
    return editStored(dialog, document, document.Appointments, id);
}

bool EditUser(QWidget* parent, PimDocument& document) {
    UserSheet sheet(document.User, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    document.User = sheet.Result();
    changed(document);
    return true;
}
