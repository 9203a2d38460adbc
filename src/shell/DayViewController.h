#pragma once

#include "CommandRules.h"
#include "RecordListModel.h"
#include "core/DayListIndex.h"
#include "docfile/DocumentObserver.h"
#include "docfile/UndoStep.h"

#include <QObject>
#include <QTimer>

class PimDocument;
struct Person;

// What the day view knows and does, without its widgets: the three list models, which list is
// active, the selection of each list, the phone-book filter, and the record commands that need no
// dialog (Delete, Complete). The window only shows this state and reports clicks to it.
class DayViewController : public QObject, public DocumentObserver {
    Q_OBJECT
public:
    struct Selection {
        int row = -1;
        int id = -1;
    };

    explicit DayViewController(PimDocument& document, QObject* parent = nullptr);
    ~DayViewController() override;

    PimDocument& Document() { return m_document; }
    const PimDocument& Document() const { return m_document; }
    RecordListModel& PhoneBook() { return m_phoneBook; }
    RecordListModel& Tasks() { return m_tasks; }
    RecordListModel& Appointments() { return m_appointments; }
    const RecordListModel& PhoneBook() const { return m_phoneBook; }
    const RecordListModel& Tasks() const { return m_tasks; }
    const RecordListModel& Appointments() const { return m_appointments; }

    ActiveList Active() const { return m_active; }
    Selection SelectedPerson() const { return m_person; }
    Selection SelectedTask() const { return m_task; }
    Selection SelectedAppointment() const { return m_appointment; }
    bool WhitePages() const { return m_whitePages; }
    bool YellowPages() const { return !m_whitePages; }

    // The date selected in the calendar, whose tasks and appointments the lists show; today at
    // 00:00 when the program starts.
    const DateTime& CurrentDate() const { return m_currentDate; }
    // The calendar's selection: makes the calendar the active list, sets the current date and
    // refills the task and appointment lists.
    void SelectDate(const DateTime& day);
    // The same without a click: no list becomes active.
    void ShowDate(const DateTime& day);
    void ClickCalendar() { m_active = ActiveList::Calendar; }
    // Midnight: a day view that showed the day before shows today, and the task list follows the
    // new today (unfinished tasks move forward). No list becomes active.
    void TodayChanged(const DateTime& previous, const DateTime& today);

    // A click or right-click in a list, with the row then selected (-1 for none).
    void ClickPhoneBook(int row);
    void ClickTasks(int row);
    void ClickAppointments(int row);
    // Double-clicks. The phone book's asks for Phone Book > Edit through commandRequested().
    void DoubleClickPhoneBook(int row);
    void DoubleClickTasks(int row);
    void DoubleClickAppointments(int row) { ClickAppointments(row); }

    // The selection of a list moved without a click (keys): the list becomes active and the
    // selected record follows it, as after a click.
    void SelectionMoved(ActiveList list, int row);

    void ShowWhitePages();
    void ShowYellowPages();

    // A record chosen from the search results, shown as a click on its row would show it: the
    // person in the white or yellow pages that hold it, the task on the date whose list holds it,
    // the appointment on its day (a series on its next occurrence from today, or its last). That
    // list becomes active. False when no list holds the record: the date stays as it was.
    bool GoToPerson(int id);
    bool GoToTask(int id);
    bool GoToAppointment(int id);
    // View > Go to Today: today's tasks and appointments, as a click on today in the calendar.
    void GoToToday();
    // A record chosen in another view on a day it lists it: that day shown and the record selected
    // in its list, which becomes active. False (and the date as it was) when the list does not hold it.
    bool SelectListed(ActiveList list, int id, CalendarDate day) {
        RefillIfPending();
        return showListed(list, id, day);
    }

    // The occurrences behind the appointment list, for the calendar's marks.
    OccurrenceIndex& Occurrences() { return m_index.Occurrences(); }
    // The lists' rules over the whole document, for the views that list several days at once.
    DayListIndex& Lists() { return m_index; }
    // Counts the document's changes, so that what was worked out from the occurrences can tell it
    // is out of date.
    int Generation() const { return m_generation; }

    // Each does nothing (and answers false) unless its list is active and holds the selection.
    bool DeletePerson();
    bool DeleteTask();
    bool DeleteAppointment();
    bool CompleteTask();
    // Edit > Undo and Redo: take the step, refill, and show the record it touched (its date and
    // row, or the person), making that list the active one. False when there was no step.
    bool Undo();
    bool Redo();
    // A record just added by an editor, shown and selected as Undo shows the record it touched.
    void ShowAdded(RecordKind kind, int id);

    // Refills: the phone book, then the tasks, then the appointments. Document changes ask for
    // a refill that runs once when the event loop is next idle, however many changes came.
    void RefillAll();
    void RefillPhoneBook();
    void RefillTasks();
    void RefillAppointments();
    bool RefillPending() const { return m_refillPending; }
    void RefillIfPending();

    void DocumentChanged(PimDocument& document) override;
    void DocumentClosing(PimDocument& document) override;
    // New or another file: a kept selection would name an unrelated record of the same ID.
    void DocumentReplaced(PimDocument& document) override;

signals:
    // The detail pane should show this person (nullptr: none). The pointer lasts for the call.
    void detailPersonChanged(const Person* person);
    // A list's selected row changed by a rule (delete, refill): the view should show it.
    void selectionChanged(ActiveList list);
    void dateChanged();
    void commandRequested(int id);
    // The appointment list was filled anew (another date, or the document changed).
    void appointmentsRefilled();
    // A record could not be shown where it was asked for; the window's status bar says why.
    void statusMessage(const QString& text);

private:
    Selection selectionAt(const RecordListModel& model, int row) const;
    void showDetail(int personId);
    // After a row was removed at `row`: the row before it, or the first row, or none.
    Selection selectionAfterRemoval(const RecordListModel& model, int row) const;
    int rowOf(const RecordListModel& model, const Selection& selection) const;
    bool showTarget(const std::optional<UndoTarget>& target);
    // The days the lists show a record on (DayViewGoTo.cpp). A task: its one listing day, as
    // the task list's rule gives it. An appointment: the day of its occurrence nearest `near`,
    // looking forward first; a series' changed occurrences stand for themselves.
    std::optional<CalendarDate> taskDay(const Task& task) const;
    std::optional<CalendarDate> appointmentDay(int id, CalendarDate near);
    bool listsAppointmentOn(int id, CalendarDate day);
    // Shows the day and selects the record in its list, making that list active; false (and the
    // date as it was) when the day's list does not hold it.
    bool showListed(ActiveList list, int id, std::optional<CalendarDate> day);
    void forgetOccurrences();
    void prepareOccurrences();
    // The same record's row after a refill, or none when the list no longer shows it.
    Selection keptSelection(const RecordListModel& model, const Selection& selection) const;

    PimDocument& m_document;
    DateTime m_currentDate;
    DayListIndex m_index;
    RecordListModel m_phoneBook;
    RecordListModel m_tasks;
    RecordListModel m_appointments;
    ActiveList m_active = ActiveList::None;
    Selection m_person;
    Selection m_task;
    Selection m_appointment;
    bool m_whitePages = true;
    bool m_attached = false;
    bool m_changingRows = false; // the models are being changed by a rule, not by the user
    bool m_refillPending = false;
    int m_generation = 0;
    QTimer m_refillTimer;
    QTimer m_prepareTimer;
};
