#include "DayViewController.h"

#include "core/AppointmentOccurrences.h"
#include "docfile/PimDocument.h"

#include <algorithm>

namespace {

// How far a series is looked through for an occurrence the day view lists, each way; a series
// whose every occurrence in that time was replaced or left out is not worth a longer search.
constexpr int kSearchWindowDays = 366;
constexpr int kSearchWindows = 20;

} // namespace

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
    if (showListed(ActiveList::Tasks, id, taskDay(*task)))
        return true;
    emit statusMessage(QStringLiteral("The task is not listed on any day."));
    return false;
}

bool DayViewController::GoToAppointment(int id) {
    RefillIfPending();
    if (!m_document.Appointments().Find(id))
        return false;
    if (showListed(ActiveList::Appointments, id, appointmentDay(id, CalendarDate::Of(DateTime::Today()))))
        return true;
    emit statusMessage(QStringLiteral("The appointment is not listed on any day."));
    return false;
}

void DayViewController::GoToToday() {
    SelectDate(DateTime::Today());
}

// The task list's rule read backwards: an open task is listed on its due date from today on, and
// today when it is overdue (or its date is on no day); a done one on its due date from today on,
// else on the day it was done.
std::optional<CalendarDate> DayViewController::taskDay(const Task& task) const {
    const CalendarDate today = CalendarDate::Of(DateTime::Today());
    const CalendarDate due = CalendarDate::OfStoredDate(task.DueDate);
    if (due.IsValid() && due >= today)
        return due;
    if (!task.IsDone())
        return today;
    const CalendarDate done = CalendarDate::OfStoredDate(task.DoneDate);
    if (done.IsValid() && done <= today)
        return done;
    return std::nullopt;
}

bool DayViewController::listsAppointmentOn(int id, CalendarDate day) {
    const std::vector<DayOccurrence> listed = m_index.Occurrences().On(m_document.Records(), day);
    return std::any_of(listed.begin(), listed.end(),
                       [id](const DayOccurrence& entry) { return entry.occurrence.id == id; });
}

std::optional<CalendarDate> DayViewController::appointmentDay(int id, CalendarDate near) {
    const Appointment* appointment = m_document.Appointments().Find(id);
    if (!appointment || !near.IsValid())
        return std::nullopt;
    const AppointmentOccurrences occurrences(*appointment);
    const CalendarDate first = occurrences.FirstDay();
    if (!first.IsValid())
        return std::nullopt;
    if (!occurrences.Repeats()) {
        // A single appointment: the day of its span nearest the date asked about.
        const CalendarDate last = occurrences.LastDay().IsValid() ? occurrences.LastDay() : first;
        const CalendarDate day = std::clamp(near, first, std::max(first, last));
        return listsAppointmentOn(id, day) ? std::optional(day) : std::nullopt;
    }
    // A series: the occurrences its rule gives, as long as no changed occurrence stands in for them.
    const PimRecords& records = m_document.Records();
    const auto shown = [&](const Occurrence& o) {
        const std::optional<Occurrence> standing = m_index.Occurrences().Of(records, id, o.original);
        return standing && standing->id == id;
    };
    const CalendarDate last = occurrences.LastDay();
    CalendarDate from = std::max(near, first);
    for (int window = 0; window < kSearchWindows && (!last.IsValid() || from <= last); ++window) {
        const CalendarDate to = from + (kSearchWindowDays - 1);
        for (const Occurrence& o : occurrences.Covering(from, to))
            if (shown(o))
                return std::max(from, o.firstDay);
        from = to + 1;
    }
    CalendarDate to = last.IsValid() ? std::min(near - 1, last) : near - 1;
    for (int window = 0; window < kSearchWindows && to >= first; ++window) {
        const CalendarDate start = std::max(first, to - (kSearchWindowDays - 1));
        const std::vector<Occurrence> found = occurrences.Covering(start, to);
        for (auto o = found.rbegin(); o != found.rend(); ++o)
            if (shown(*o))
                return std::min(to, o->lastDay);
        to = start - 1;
    }
    return std::nullopt;
}

bool DayViewController::showListed(ActiveList list, int id, std::optional<CalendarDate> day) {
    if (!day)
        return false;
    const DateTime midnight = day->Midnight();
    const DateTime before = m_currentDate;
    if (!(m_currentDate == midnight))
        ShowDate(midnight);
    RecordListModel& model = list == ActiveList::Tasks ? m_tasks : m_appointments;
    const int row = model.RowOf(id);
    if (row < 0) {
        if (!(before == m_currentDate))
            ShowDate(before);
        return false;
    }
    m_active = list;
    (list == ActiveList::Tasks ? m_task : m_appointment) = {row, id};
    emit selectionChanged(list);
    return true;
}
