#include "DocumentBatch.h"
#include "PimDocument.h"

namespace {

template <class Record> std::optional<int> addTo(RecordCollection<Record>& records, Record&& record) {
    return records.Add(std::move(record));
}

template <class Record> bool replaceIn(RecordCollection<Record>& records, const Record& record) {
    Record* stored = records.Find(record.ID);
    if (!stored)
        return false;
    *stored = record;
    return true;
}

} // namespace

void PimDocument::Changed() {
    m_modified = true;
    if (m_batchDepth > 0) {
        m_batchChanged = true;
        return;
    }
    NotifyChanged();
}

std::optional<int> PimDocument::Add(Person person) {
    const std::optional<int> id = addTo(m_records.Persons, std::move(person));
    if (id)
        Changed();
    return id;
}

std::optional<int> PimDocument::Add(Task task) {
    const std::optional<int> id = addTo(m_records.Tasks, std::move(task));
    if (id)
        Changed();
    return id;
}

std::optional<int> PimDocument::Add(Appointment appointment) {
    const std::optional<int> id = addTo(m_records.Appointments, std::move(appointment));
    if (id)
        Changed();
    return id;
}

bool PimDocument::Change(const Person& person) {
    if (!replaceIn(m_records.Persons, person))
        return false;
    Changed();
    return true;
}

bool PimDocument::Change(const Task& task) {
    if (!replaceIn(m_records.Tasks, task))
        return false;
    Changed();
    return true;
}

bool PimDocument::Change(const Appointment& appointment) {
    if (!replaceIn(m_records.Appointments, appointment))
        return false;
    Changed();
    return true;
}

bool PimDocument::RemovePerson(int id) {
    if (!m_records.Persons.Remove(id))
        return false;
    Changed();
    return true;
}

bool PimDocument::RemoveTask(int id) {
    if (!m_records.Tasks.Remove(id))
        return false;
    Changed();
    return true;
}

bool PimDocument::RemoveAppointment(int id) {
    if (!m_records.Appointments.Remove(id))
        return false;
    Changed();
    return true;
}

bool PimDocument::CompleteTask(int id) {
    if (!m_records.CompleteTask(id))
        return false;
    Changed();
    return true;
}

bool PimDocument::TurnOffReminder(int id) {
    if (!m_records.TurnOffReminder(id))
        return false;
    Changed();
    return true;
}

std::size_t PimDocument::RemoveOldTasks(const DateTime& today) {
    const std::size_t removed = m_records.RemoveOldTasks(today);
    if (removed > 0)
        Changed();
    return removed;
}

void PimDocument::ChangeUser(const ::User& user) {
    m_records.User = user;
    Changed();
}

DocumentBatch::DocumentBatch(PimDocument& document, QString name)
    : m_document(document), m_name(std::move(name)), m_wasModified(document.IsModified()),
      m_persons(document.m_records.Persons.Position()), m_tasks(document.m_records.Tasks.Position()),
      m_appointments(document.m_records.Appointments.Position()) {
    ++m_document.m_batchDepth;
}

DocumentBatch::~DocumentBatch() {
    End();
}

void DocumentBatch::Cancel() {
    if (m_ended)
        return;
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
    if (--m_document.m_batchDepth > 0 || !m_document.m_batchChanged)
        return;
    m_document.m_batchChanged = false;
    m_document.NotifyChanged();
}
