#include "DayViewController.h"

#include "core/AppointmentOccurrences.h"
#include "docfile/PimDocument.h"

bool DayViewController::GoToPerson(int id) {
    RefillIfPending();
    const Person* person = m_document.Persons().Find(id);
    if (!person)
        return false;
    const bool shown = m_whitePages ? person->WhitePages != 0 : person->YellowPages != 0;
    if (!shown) {
        if (person->WhitePages)
            ShowWhitePages();
        else if (person->YellowPages)
            ShowYellowPages();
    }
    m_active = ActiveList::PhoneBook;
    m_person = selectionAt(m_phoneBook, m_phoneBook.RowOf(id));
    emit selectionChanged(ActiveList::PhoneBook);
    // A person in neither list is still shown in the detail pane.
    showDetail(id);
    return m_person.id >= 0;
}

bool DayViewController::GoToTask(int id) {
    RefillIfPending();
    const Task* task = m_document.Tasks().Find(id);
    if (!task)
        return false;
    // A task is listed on its due date, an open one due in the past on today, and a done one on
    // the day it was done (an open one has no such day).
    std::vector<DateTime> days{CalendarDate::OfStoredDate(task->DueDate).Midnight(), DateTime::Today()};
    if (task->IsDone())
        days.push_back(CalendarDate::OfStoredDate(task->DoneDate).Midnight());
    for (const DateTime& day : days) {
        if (!day.IsValid())
            continue;
        if (!(m_currentDate == day))
            SelectDate(day);
        const int row = m_tasks.RowOf(id);
        if (row >= 0) {
            m_active = ActiveList::Tasks;
            m_task = {row, id};
            emit selectionChanged(ActiveList::Tasks);
            return true;
        }
    }
    return false;
}

bool DayViewController::GoToAppointment(int id) {
    RefillIfPending();
    const Appointment* appointment = m_document.Appointments().Find(id);
    if (!appointment)
        return false;
    const DateTime day = AppointmentOccurrences::Single(*appointment).firstDay.Midnight();
    if (day.IsValid() && !(m_currentDate == day))
        SelectDate(day);
    const int row = m_appointments.RowOf(id);
    m_active = ActiveList::Appointments;
    m_appointment = selectionAt(m_appointments, row);
    emit selectionChanged(ActiveList::Appointments);
    return m_appointment.id >= 0;
}
