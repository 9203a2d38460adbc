#include "PimRecords.h"

#include <vector>

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

std::size_t PimRecords::RemoveOldTasks(const DateTime& today) {
    std::vector<int> old;
    for (const auto& [id, task] : Tasks)
        if (task.Priority == Task::Done && task.DueDate < today)
            old.push_back(id);
    for (int id : old)
        Tasks.Remove(id);
    return old.size();
}

void PimRecords::ClearRecords() {
    Persons.Clear();
    Appointments.Clear();
    Tasks.Clear();
    User = ::User();
    Identity.clear();
}
