#include "DayView.h"

#include "DayListView.h"
#include "QuickAddField.h"

#include "docfile/PimDocument.h"
#include "editors/OccurrenceEditing.h"
#include "editors/RecordEditors.h"
#include "platform/PromptService.h"

#include <utility>

namespace {

// A collection whose IDs have all been given out takes no new record; the user learns so before
// filling in an editor in vain.
template <class Record> bool roomFor(const RecordCollection<Record>& records, platform::PromptService* prompts) {
    if (records.CanAdd())
        return true;
    if (prompts)
        prompts->message(QStringLiteral("No more records of this kind can be added: every ID is taken."),
                         QStringLiteral("Tavoro!"), platform::PromptButtons::Ok, platform::PromptIcon::Stop);
    return false;
}

} // namespace

// The record editors and Edit > User. An Edit command acts only on the record selected in its list
// while that list is the active one. The editors mark the document modified and notify it, upon
// which the lists refill.

void DayView::OnTaskAdd() {
    if (roomFor(m_controller.Document().Tasks(), m_prompts) &&
        AddTask(this, m_controller.Document(), m_controller.CurrentDate()))
        selectAdded(RecordKind::Task, m_controller.Document().Tasks().LastID());
}

void DayView::OnTaskEdit() {
    if (m_controller.Active() == ActiveList::Tasks && m_controller.SelectedTask().id >= 0)
        EditTask(this, m_controller.Document(), m_controller.SelectedTask().id);
}

void DayView::OnPersonAdd() {
    if (roomFor(m_controller.Document().Persons(), m_prompts) && AddPerson(this, m_controller.Document(), m_prompts))
        selectAdded(RecordKind::Person, m_controller.Document().Persons().LastID());
}

void DayView::OnPersonEdit() {
    if (m_controller.Active() == ActiveList::PhoneBook && m_controller.SelectedPerson().id >= 0)
        EditPerson(this, m_controller.Document(), m_controller.SelectedPerson().id, m_prompts);
}

void DayView::OnAppointmentAdd() {
    const std::optional<DateTime> start = std::exchange(m_nextAddStart, std::nullopt);
    if (roomFor(m_controller.Document().Appointments(), m_prompts) &&
        (start ? AddAppointmentAt(this, m_controller.Document(), *start)
               : AddAppointment(this, m_controller.Document(), m_controller.CurrentDate())))
        selectAdded(RecordKind::Appointment, m_controller.Document().Appointments().LastID());
}

void DayView::OnAppointmentEdit() {
    if (m_controller.Active() == ActiveList::Appointments && m_controller.SelectedAppointment().id >= 0)
        OccurrenceEditing::Edit(this, m_controller.Document(), m_controller.SelectedAppointment().id,
                                m_controller.CurrentDate(), m_prompts);
}

// The new record is selected where its list shows it, so that its details and commands are at hand.
void DayView::selectAdded(RecordKind kind, int id) {
    m_controller.ShowAdded(kind, id);
    if (DayListView* view = listOf(m_controller.Active()))
        view->setFocus();
}

void DayView::OnAppointmentQuickAdd() {
    m_quickAdd->Activate();
}

void DayView::OnEditUser() {
    EditUser(this, m_controller.Document());
}
