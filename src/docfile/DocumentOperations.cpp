#include "DocumentBatch.h"
#include "PimDocument.h"
#include "core/AppointmentOccurrences.h"

#include <vector>

UndoStep& PimDocument::Step(const QString& name) {
    if (!m_step)
        m_step.emplace(name);
    return *m_step;
}

void PimDocument::Changed() {
    m_modified = true;
    if (m_batchDepth > 0) {
        m_batchChanged = true;
        return;
    }
    if (m_step) {
        if (!m_step->Empty())
            m_history.Push(std::move(*m_step));
        m_step.reset();
    }
    NotifyChanged();
}

void PimDocument::SetModified(bool modified) {
    m_modified = modified;
    if (modified)
        m_history.ForgetSavePoint();
    else
        m_history.MarkSaved();
}

template <class Record>
bool PimDocument::ChangeIn(RecordCollection<Record>& records, const Record& record, const QString& name) {
    Record* stored = records.Find(record.ID);
    if (!stored)
        return false;
    if (*stored == record) // OK in an editor that changed nothing
        return true;
    Step(name).Changing(*stored);
    *stored = record;
    Changed();
    return true;
}

template <class Record> bool PimDocument::RemoveFrom(RecordCollection<Record>& records, int id, const QString& name) {
    typename RecordCollection<Record>::Node node = records.Take(id);
    if (!node)
        return false;
    Step(name).template Removed<Record>(std::move(node));
    Changed();
    return true;
}

std::optional<int> PimDocument::Add(Person person) {
    const std::optional<int> id = m_records.Persons.Add(std::move(person));
    if (id) {
        Step(QStringLiteral("Add Person")).Added<Person>(*id);
        Changed();
    }
    return id;
}

Person* PimDocument::AddBlankPerson(const DocumentBatch&) {
    Person* person = m_records.Persons.AddBlank();
    if (person) {
        Step(QStringLiteral("Add Person")).Added<Person>(person->ID);
        Changed();
    }
    return person;
}

std::optional<int> PimDocument::Add(Task task) {
    const std::optional<int> id = m_records.Tasks.Add(std::move(task));
    if (id) {
        Step(QStringLiteral("Add Task")).Added<Task>(*id);
        Changed();
    }
    return id;
}

std::optional<int> PimDocument::Add(Appointment appointment) {
    const std::optional<int> id = m_records.Appointments.Add(std::move(appointment));
    if (id) {
        Step(QStringLiteral("Add Appointment")).Added<Appointment>(*id);
        Changed();
    }
    return id;
}

bool PimDocument::Change(const Person& person) {
    return ChangeIn(m_records.Persons, person, QStringLiteral("Edit Person"));
}

bool PimDocument::Change(const Task& task) {
    return ChangeIn(m_records.Tasks, task, QStringLiteral("Edit Task"));
}

bool PimDocument::Change(const Appointment& appointment) {
    return ChangeIn(m_records.Appointments, appointment, QStringLiteral("Edit Appointment"));
}

bool PimDocument::RemovePerson(int id) {
    return RemoveFrom(m_records.Persons, id, QStringLiteral("Delete Person"));
}

bool PimDocument::RemoveTask(int id) {
    return RemoveFrom(m_records.Tasks, id, QStringLiteral("Delete Task"));
}

bool PimDocument::RemoveAppointment(int id) {
    RecordCollection<Appointment>::Node node = m_records.Appointments.Take(id);
    if (!node)
        return false;
    std::vector<int> changed;
    // Only a series has changed occurrences: a single appointment's removal stays a lookup.
    if (node.mapped().Repeats())
        for (const auto& [other, appointment] : m_records.Appointments)
            if (appointment.SeriesID == id)
                changed.push_back(other);
    UndoStep& step = Step(QStringLiteral("Delete Appointment"));
    for (int other : changed)
        step.Removed<Appointment>(m_records.Appointments.Take(other));
    step.Removed<Appointment>(std::move(node));
    Changed();
    return true;
}

bool PimDocument::CompleteTask(int id) {
    const Task* task = m_records.Tasks.Find(id);
    if (!task)
        return false;
    Step(QStringLiteral("Complete Task")).Changing(*task);
    m_records.CompleteTask(id);
    Changed();
    return true;
}

bool PimDocument::TurnOffReminder(int id) {
    const Appointment* appointment = m_records.Appointments.Find(id);
    if (!appointment)
        return false;
    Step(QStringLiteral("Turn Off Reminder")).Changing(*appointment);
    m_records.TurnOffReminder(id);
    Changed();
    return true;
}

bool PimDocument::TurnOffReminder(const OccurrenceKey& occurrence) {
    const Appointment* series = m_records.Appointments.Find(occurrence.id);
    if (!series || !series->Repeats() || !occurrence.original.IsValid())
        return TurnOffReminder(occurrence.id);
    for (const auto& [id, appointment] : m_records.Appointments)
        if (appointment.SeriesID == occurrence.id && appointment.OriginalDate == occurrence.original)
            return TurnOffReminder(id);
    const std::optional<Occurrence> found = AppointmentOccurrences(*series).OnOriginalDate(occurrence.original);
    if (!found)
        return false;
    Appointment changed = ChangedOccurrence(*series, *found);
    changed.Alarm = 0;
    const std::optional<int> id = m_records.Appointments.Add(std::move(changed));
    if (!id)
        return false;
    Step(QStringLiteral("Turn Off Reminder")).Added<Appointment>(*id);
    Changed();
    return true;
}

std::size_t PimDocument::RemoveOldTasks(const DateTime& today) {
    std::vector<int> old;
    for (const auto& [id, task] : m_records.Tasks)
        if (task.IsDone() && task.DueDate < today)
            old.push_back(id);
    if (old.empty())
        return 0;
    UndoStep& step = Step(QStringLiteral("Compact"));
    for (int id : old)
        step.Removed<Task>(m_records.Tasks.Take(id));
    Changed();
    return old.size();
}

void PimDocument::ChangeUser(const ::User& user) {
    if (m_records.User == user)
        return;
    Step(QStringLiteral("Edit User")).ChangingUser(m_records.User);
    m_records.User = user;
    Changed();
}

void PimDocument::SetIdentity(const std::string& identity) {
    if (m_records.Identity == identity)
        return;
    m_records.Identity = identity;
    Changed();
}

std::optional<UndoTarget> PimDocument::Undo() {
    UndoStep* step = m_batchDepth == 0 ? m_history.StepBack() : nullptr;
    if (!step)
        return std::nullopt;
    step->Flip(m_records, true);
    m_modified = !m_history.AtSavePoint();
    NotifyChanged();
    return step->Target();
}

std::optional<UndoTarget> PimDocument::Redo() {
    UndoStep* step = m_batchDepth == 0 ? m_history.StepForward() : nullptr;
    if (!step)
        return std::nullopt;
    step->Flip(m_records, false);
    m_modified = !m_history.AtSavePoint();
    NotifyChanged();
    return step->Target();
}

DocumentBatch::DocumentBatch(PimDocument& document, QString name, Kind kind)
    : m_document(document), m_name(std::move(name)), m_kind(kind), m_wasModified(document.IsModified()),
      m_step(document.Step(m_name).Position()), m_persons(document.m_records.Persons.Position()),
      m_tasks(document.m_records.Tasks.Position()), m_appointments(document.m_records.Appointments.Position()) {
    ++m_document.m_batchDepth;
    if (kind == Kind::Synchronize)
        m_document.m_synchronizing = true;
}

DocumentBatch::~DocumentBatch() {
    End();
}

void DocumentBatch::Cancel() {
    if (m_ended)
        return;
    m_document.m_step->RollBack(m_document.m_records, m_step);
    m_document.m_records.Persons.RollBack(m_persons);
    m_document.m_records.Tasks.RollBack(m_tasks);
    m_document.m_records.Appointments.RollBack(m_appointments);
    m_document.m_modified = m_wasModified;
    End();
}

void DocumentBatch::End() {
    if (m_ended)
        return;
    m_ended = true;
    if (m_kind == Kind::Upkeep)
        m_document.m_modified = m_wasModified;
    if (--m_document.m_batchDepth > 0)
        return;
    PimDocument& document = m_document;
    std::optional<UndoStep> step = std::move(document.m_step);
    document.m_step.reset();
    if (document.m_synchronizing) {
        document.m_synchronizing = false;
        if (step && !step->Empty())
            document.m_history.Clear(false);
    } else if (m_kind == Kind::UserStep && step && !step->Empty()) {
        document.m_history.Push(std::move(*step));
    }
    if (!document.m_batchChanged)
        return;
    document.m_batchChanged = false;
    document.NotifyChanged();
}
