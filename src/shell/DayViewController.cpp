#include "DayViewController.h"

#include "CommandIds.h"
#include "core/AppointmentOccurrences.h"
#include "core/RepeatWords.h"
#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"

#include <QScopedValueRollback>

DayViewController::DayViewController(PimDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_currentDate(DateTime::Today()),
      m_phoneBook({QStringLiteral("Name"), QStringLiteral("Company")}),
      m_tasks({QStringLiteral("Task"), QStringLiteral("Original Due Date")}),
      m_appointments({QStringLiteral("Time"), QStringLiteral("Appointment")}) {
    m_appointments.SetColumnAlignment(1, Qt::AlignCenter);
    m_appointments.SetSeriesNote([this](int seriesId) {
        const Appointment* series = m_document.Appointments().Find(seriesId);
        return series ? platform::toQString(RepeatInWords(*series)) : QString();
    });
    m_refillTimer.setSingleShot(true);
    m_refillTimer.setInterval(0);
    connect(&m_refillTimer, &QTimer::timeout, this, &DayViewController::RefillIfPending);
    // Slices of idle work with pauses between them, once the user has stopped choosing dates.
    m_prepareTimer.setInterval(20);
    connect(&m_prepareTimer, &QTimer::timeout, this, &DayViewController::prepareOccurrences);
    m_document.AddObserver(this);
    m_attached = true;
}

DayViewController::~DayViewController() {
    if (m_attached)
        m_document.RemoveObserver(this);
}

void DayViewController::SelectDate(const DateTime& day) {
    m_active = ActiveList::Calendar;
    ShowDate(day);
}

void DayViewController::ShowDate(const DateTime& day) {
    // A date on no day would leave the calendar nowhere.
    if (!day.IsValid())
        return;
    m_currentDate = day.Date();
    emit dateChanged();
    RefillTasks();
    RefillAppointments();
}

void DayViewController::TodayChanged(const DateTime& previous, const DateTime& today) {
    if (m_currentDate == previous) {
        m_currentDate = today;
        emit dateChanged();
        RefillAppointments();
    }
    RefillTasks();
}

DayViewController::Selection DayViewController::selectionAt(const RecordListModel& model, int row) const {
    const int id = model.IdAt(row);
    if (id < 0)
        return {};
    return {row, id};
}

void DayViewController::ClickPhoneBook(int row) {
    m_active = ActiveList::PhoneBook;
    m_person = selectionAt(m_phoneBook, row);
    // With nothing selected the pane keeps showing the last person.
    if (m_person.id >= 0)
        showDetail(m_person.id);
}

void DayViewController::ClickTasks(int row) {
    m_active = ActiveList::Tasks;
    m_task = selectionAt(m_tasks, row);
}

void DayViewController::ClickAppointments(int row) {
    m_active = ActiveList::Appointments;
    m_appointment = selectionAt(m_appointments, row);
    if (m_appointment.row >= 0 && m_appointments.Text(row, 0).isEmpty())
        m_appointment = {};
}

void DayViewController::DoubleClickPhoneBook(int row) {
    m_active = ActiveList::PhoneBook;
    if (selectionAt(m_phoneBook, row).id >= 0)
        emit commandRequested(cmd::PersonEdit);
}

void DayViewController::DoubleClickTasks(int row) {
    ClickTasks(row);
    CompleteTask();
}

void DayViewController::SelectionMoved(ActiveList list, int row) {
    if (m_changingRows)
        return;
    // A selection moved by the keys makes its list active, exactly as a click does.
    switch (list) {
    case ActiveList::PhoneBook:
        ClickPhoneBook(row);
        break;
    case ActiveList::Tasks:
        ClickTasks(row);
        break;
    case ActiveList::Appointments:
        ClickAppointments(row);
        break;
    default:
        break;
    }
}

void DayViewController::ShowWhitePages() {
    if (m_whitePages)
        return;
    m_whitePages = true;
    RefillPhoneBook();
}

void DayViewController::ShowYellowPages() {
    if (!m_whitePages)
        return;
    m_whitePages = false;
    RefillPhoneBook();
}

int DayViewController::rowOf(const RecordListModel& model, const Selection& selection) const {
    if (model.IdAt(selection.row) == selection.id)
        return selection.row;
    return model.RowOf(selection.id);
}

DayViewController::Selection DayViewController::selectionAfterRemoval(const RecordListModel& model, int row) const {
    if (model.Count() == 0 || row < 0)
        return {};
    const int next = row > 0 ? row - 1 : 0;
    return {next, model.IdAt(next)};
}

bool DayViewController::DeletePerson() {
    if (m_active != ActiveList::PhoneBook || m_person.id < 0 || !m_document.RemovePerson(m_person.id))
        return false;
    const int row = rowOf(m_phoneBook, m_person);
    {
        QScopedValueRollback changing(m_changingRows, true);
        m_phoneBook.RemoveRow(row);
    }
    m_person = selectionAfterRemoval(m_phoneBook, row);
    emit selectionChanged(ActiveList::PhoneBook);
    return true;
}

bool DayViewController::DeleteTask() {
    if (m_active != ActiveList::Tasks || m_task.id < 0 || !m_document.RemoveTask(m_task.id))
        return false;
    const int row = rowOf(m_tasks, m_task);
    {
        QScopedValueRollback changing(m_changingRows, true);
        m_tasks.RemoveRow(row);
    }
    m_task = selectionAfterRemoval(m_tasks, row);
    emit selectionChanged(ActiveList::Tasks);
    return true;
}

bool DayViewController::DeleteAppointment() {
    if (m_active != ActiveList::Appointments || m_appointment.id < 0 || !m_document.RemoveAppointment(m_appointment.id))
        return false;
    forgetOccurrences();
    m_appointment = {};
    RefillAppointments();
    emit selectionChanged(ActiveList::Appointments);
    return true;
}

bool DayViewController::CompleteTask() {
    if (m_active != ActiveList::Tasks || m_task.id < 0 || !m_document.CompleteTask(m_task.id))
        return false;
    m_tasks.SetImage(rowOf(m_tasks, m_task), Task::Done);
    return true;
}

void DayViewController::RefillAll() {
    m_refillPending = false;
    m_refillTimer.stop();
    RefillPhoneBook();
    RefillTasks();
    RefillAppointments();
}

// A refill keeps the selected record, by its ID, while the list still shows it.
void DayViewController::RefillPhoneBook() {
    {
        QScopedValueRollback changing(m_changingRows, true);
        m_phoneBook.SetRows(m_index.PhoneBook(m_document.Records(), m_whitePages));
    }
    m_person = keptSelection(m_phoneBook, m_person);
    emit selectionChanged(ActiveList::PhoneBook);
    if (m_person.id >= 0)
        showDetail(m_person.id);
    else
        emit detailPersonChanged(nullptr);
}

void DayViewController::RefillTasks() {
    {
        QScopedValueRollback changing(m_changingRows, true);
        m_tasks.SetRows(m_index.Tasks(m_document.Records(), m_currentDate, DateTime::Today()));
    }
    m_task = keptSelection(m_tasks, m_task);
    emit selectionChanged(ActiveList::Tasks);
}

void DayViewController::RefillAppointments() {
    {
        QScopedValueRollback changing(m_changingRows, true);
        m_appointments.SetRows(m_index.Appointments(m_document.Records(), m_currentDate));
    }
    m_prepareTimer.start();
    m_appointment = keptSelection(m_appointments, m_appointment);
    emit selectionChanged(ActiveList::Appointments);
    emit appointmentsRefilled();
}

DayViewController::Selection DayViewController::keptSelection(const RecordListModel& model,
                                                              const Selection& selection) const {
    if (selection.id < 0)
        return {};
    const int row = model.RowOf(selection.id);
    if (row < 0)
        return {};
    return {row, selection.id};
}

// Idle work in short slices: the series' occurrences of the months around the shown date, so that
// choosing another date finds them ready.
void DayViewController::prepareOccurrences() {
    constexpr int kMonthsEachSide = 3;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(8);
    if (m_refillPending || !m_index.Occurrences().Prepare(m_document.Records(), CalendarDate::Of(m_currentDate),
                                                          kMonthsEachSide, deadline))
        m_prepareTimer.stop();
}

void DayViewController::RefillIfPending() {
    if (m_refillPending)
        RefillAll();
}

void DayViewController::DocumentChanged(PimDocument& /*document*/) {
    // The index points into the records; after a change it is rebuilt before its next use.
    forgetOccurrences();
    m_refillPending = true;
    if (!m_refillTimer.isActive())
        m_refillTimer.start();
}

void DayViewController::DocumentReplaced(PimDocument& /*document*/) {
    m_person = {};
    m_task = {};
    m_appointment = {};
    // Another document starts on today, as the program does: a date kept from the former one may
    // show nothing of this one.
    m_currentDate = DateTime::Today();
    emit dateChanged();
}

void DayViewController::forgetOccurrences() {
    m_index.Forget();
    ++m_generation;
}

void DayViewController::DocumentClosing(PimDocument& document) {
    document.RemoveObserver(this);
    m_attached = false;
}

void DayViewController::showDetail(int personId) {
    emit detailPersonChanged(m_document.Persons().Find(personId));
}

bool DayViewController::Undo() {
    return showTarget(m_document.Undo());
}

bool DayViewController::Redo() {
    return showTarget(m_document.Redo());
}

void DayViewController::ShowAdded(RecordKind kind, int id) {
    showTarget(UndoTarget{kind, id, 0, {}});
}

bool DayViewController::showTarget(const std::optional<UndoTarget>& target) {
    if (!target)
        return false;
    RefillAll();
    if (!target->kind)
        return true;
    const int id = target->id;
    switch (*target->kind) {
    case RecordKind::Person:
        if (m_document.Persons().Find(id)) {
            m_active = ActiveList::PhoneBook;
            m_person = {m_phoneBook.RowOf(id), id};
            if (m_person.row < 0)
                m_person = {};
            showDetail(id);
            emit selectionChanged(ActiveList::PhoneBook);
        }
        return true;
    case RecordKind::Task:
        if (const Task* task = m_document.Tasks().Find(id); task && !showListed(ActiveList::Tasks, id, taskDay(*task)))
            emit statusMessage(QStringLiteral("The task is not listed on any day."));
        return true;
    case RecordKind::Appointment:
        if (m_document.Appointments().Find(id)) {
            if (!showListed(ActiveList::Appointments, id, appointmentDay(id, CalendarDate::Of(m_currentDate))))
                emit statusMessage(QStringLiteral("The appointment is not listed on any day."));
        } else if (target->seriesId != 0 && m_document.Appointments().Find(target->seriesId)) {
            // A changed occurrence taken away: the series shows that occurrence again.
            showListed(ActiveList::Appointments, target->seriesId, appointmentDay(target->seriesId, target->original));
        }
        return true;
    }
    return true;
}
