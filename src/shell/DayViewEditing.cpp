#include "DayView.h"

#include "editors/RecordEditors.h"

// The record editors and Edit > User. An Edit command acts only on the record selected in its list
// while that list is the active one. The editors mark the document modified and notify it, upon
// which the lists refill.

void DayView::OnTaskAdd() {
    AddTask(this, m_controller.Document());
}

void DayView::OnTaskEdit() {
    if (m_controller.Active() == ActiveList::Tasks && m_controller.SelectedTask().id >= 0)
        EditTask(this, m_controller.Document(), m_controller.SelectedTask().id);
}

void DayView::OnPersonAdd() {
    AddPerson(this, m_controller.Document());
}

void DayView::OnPersonEdit() {
    if (m_controller.Active() == ActiveList::PhoneBook && m_controller.SelectedPerson().id >= 0)
        EditPerson(this, m_controller.Document(), m_controller.SelectedPerson().id);
}

void DayView::OnAppointmentAdd() {
    AddAppointment(this, m_controller.Document());
}

void DayView::OnAppointmentEdit() {
    if (m_controller.Active() == ActiveList::Appointments && m_controller.SelectedAppointment().id >= 0)
        EditAppointment(this, m_controller.Document(), m_controller.SelectedAppointment().id);
}

void DayView::OnEditUser() {
    EditUser(this, m_controller.Document());
}
