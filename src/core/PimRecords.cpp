#include "PimRecords.h"

bool PimRecords::CompleteTask(int id) {
    Task* task = Tasks.Find(id);
    if (!task)
        return false;
    task->Priority = Task::Done;
    task->DoneDate = DateTime::Today();
    return true;
}

bool PimRecords::TurnOffReminder(int id) {
    Appointment* appointment = Appointments.Find(id);
    if (!appointment)
        return false;
    appointment->Alarm = 0;
    return true;
}

void PimRecords::ClearRecords() {
    Persons.Clear();
    Appointments.Clear();
    Tasks.Clear();
    User = ::User();
    Identity.clear();
}
