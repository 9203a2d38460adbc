#include "WeekView.h"

#include "WeekBand.h"
#include "WeekGrid.h"

#include "core/Birthdays.h"
#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"
#include "shell/BirthdaySetting.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/HelpTopics.h"
#include "shell/editors/OccurrenceEditing.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int kSlots = WeekLayout::kDayMinutes / 15;

QDate toQDate(CalendarDate day) {
    return QDate(day.Year(), day.Month(), day.Day());
}

QString timeText(const DateTime& time) {
    return platform::toQString(time.FormatTime(DateTime::TimeFormat::NoSeconds));
}

// The same moment made again from its parts, so that sums of day fractions stay on whole seconds.
DateTime whole(const DateTime& time) {
    return DateTime(time.Year(), time.Month(), time.Day(), time.Hour(), time.Minute(), time.Second());
}

} // namespace

WeekView::WeekView(DayView& dayView, QWidget* parent) : QWidget(parent), m_dayView(dayView) {
    setObjectName(QStringLiteral("weekView"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::AppointmentBook));
    setAccessibleName(QStringLiteral("Week"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(QStringLiteral(
        "Week view. Arrows move between days and quarter hours, Tab between the "
        "appointments of a slot, Ctrl with the arrows moves one; Enter opens or adds, Page Up and Page Down "
        "change the week, Home goes to today."));
    m_grid = new WeekGrid(*this);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidget(m_grid);
    m_band = new WeekBand(*this, *m_grid);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_band);
    layout->addWidget(m_scroll, 1);

    DayViewController& days = controller();
    connect(&days, &DayViewController::dateChanged, this, &WeekView::Refresh);
    connect(&days, &DayViewController::appointmentsRefilled, this, &WeekView::Refresh);
}

// A page out of sight is laid out when it is next shown.
void WeekView::Refresh() {
    if (!isVisible())
        return;
    Plan();
    m_grid->update();
    m_band->update();
    announce();
}

void WeekView::PopupMenu(const Entry& entry, const QPoint& global) {
    int row = -1;
    if (entry.IsValid()) {
        Select(entry);
        if (selectInDayView(entry))
            row = controller().SelectedAppointment().row;
    } else {
        controller().SelectionMoved(ActiveList::Appointments, -1);
    }
    if (entry.IsValid() && row < 0)
        return; // a birthday: no record to act on
    QMenu* menu = m_dayView.CreateContextMenu(ActiveList::Appointments, row, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
}

WeekView::~WeekView() = default;

DayViewController& WeekView::controller() {
    return m_dayView.Controller();
}

const DayViewController& WeekView::controller() const {
    return m_dayView.Controller();
}

CalendarDate WeekView::firstDay() {
    const CalendarDate day = CalendarDate::Of(controller().CurrentDate());
    // Qt counts Monday 1 to Sunday 7; the calendar's days count Sunday 1 to Saturday 7.
    const int weekStart = static_cast<int>(QLocale().firstDayOfWeek()) % 7 + 1;
    return day - (day.DayOfWeek() - weekStart + 7) % 7;
}

const WeekLayout::Plan& WeekView::Plan() {
    if (!m_planned || m_plannedGeneration != controller().Generation() || m_plan.first != firstDay() ||
        m_plannedBirthdays != BirthdaySetting::Shown())
        relayout();
    return m_plan;
}

// An entry that a layout since has put out of range (the page changed under a click) names nothing.
bool WeekView::inPlan(const Entry& entry) const {
    const std::size_t count = entry.band ? m_plan.band.size() : m_plan.boxes.size();
    return entry.index >= 0 && static_cast<std::size_t>(entry.index) < count;
}

int WeekView::CursorDay() const {
    return CalendarDate::Of(controller().CurrentDate()) - m_plan.first;
}

int WeekView::TodayColumn() const {
    const int day = CalendarDate::Of(DateTime::Today()) - m_plan.first;
    return day >= 0 && day < 7 ? day : -1;
}

void WeekView::relayout() {
    OccurrenceKey kept = m_selected.IsValid() && (!m_selected.band || m_plan.band[m_selected.index].birthday < 0)
                             ? KeyOf(m_selected.band ? m_plan.band[m_selected.index].occurrence
                                                     : m_plan.boxes[m_selected.index].occurrence)
                             : OccurrenceKey{-1, {}};
    int keptDay = m_selected.IsValid() && !m_selected.band ? m_plan.boxes[m_selected.index].day : -1;
    const CalendarDate first = firstDay();
    const bool weekChanged = !m_planned || m_plan.first != first;
    const bool following = m_followDate.IsValid();
    if (following) {
        kept = std::exchange(m_follow, OccurrenceKey{-1, {}});
        keptDay = std::exchange(m_followDate, CalendarDate()) - first;
    }
    const PimRecords& records = controller().Document().Records();
    m_plannedBirthdays = BirthdaySetting::Shown();
    m_plan = WeekLayout::Lay(
        controller().Occurrences().Between(records, first, first + 6),
        m_plannedBirthdays ? BirthdaysBetween(records, first, first + 6) : std::vector<BirthdayOccurrence>{}, first);
    m_planned = true;
    m_plannedGeneration = controller().Generation();
    m_selected = {};
    if (!weekChanged || following) {
        for (std::size_t i = 0; i < m_plan.boxes.size() && !m_selected.IsValid(); ++i)
            if (KeyOf(m_plan.boxes[i].occurrence) == kept && m_plan.boxes[i].day == keptDay)
                m_selected = {false, static_cast<int>(i)};
        for (std::size_t i = 0; i < m_plan.band.size() && !m_selected.IsValid(); ++i)
            if (m_plan.band[i].birthday < 0 && KeyOf(m_plan.band[i].occurrence) == kept && keptDay < 0)
                m_selected = {true, static_cast<int>(i)};
    }
    m_grid->PlanChanged();
    m_band->PlanChanged();
    if (weekChanged) {
        // A new week opens on its first appointment of the morning, or at 08:00.
        int minute = 8 * 60;
        for (const WeekLayout::Box& box : m_plan.boxes)
            if (!box.fromBefore)
                minute = std::min(minute, box.startMinute);
        // Once the grid has its new height, which the scroll area gives it when it next lays out.
        QTimer::singleShot(0, this, [this, minute] {
            m_scroll->verticalScrollBar()->setValue(m_grid->MinuteY(minute - 30));
            if (m_slot != kBandSlot)
                m_grid->ShowSlot(m_slot, m_scroll);
        });
    }
    announce();
}

void WeekView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Plan();
}

QString WeekView::TextOf(const Entry& entry) const {
    const WeekLayout::Plan& plan = m_plan;
    if (!inPlan(entry))
        return {};
    if (entry.band && plan.band[entry.index].birthday >= 0)
        return platform::toQString(
            BirthdayText(controller().Document().Records(), plan.birthdays[plan.band[entry.index].birthday]));
    const Occurrence& occurrence = entry.band ? plan.band[entry.index].occurrence : plan.boxes[entry.index].occurrence;
    const Appointment* record = controller().Document().Appointments().Find(occurrence.id);
    return record ? platform::toQString(record->Description) : QString();
}

QString WeekView::Announcement(const Entry& entry) const {
    const WeekLayout::Plan& plan = m_plan;
    const QLocale locale;
    const auto dayWords = [&](int day) {
        return locale.toString(toQDate(plan.first + day), QStringLiteral("dddd d MMMM"));
    };
    if (!inPlan(entry)) {
        const int day = CursorDay();
        if (m_slot == kBandSlot)
            return QStringLiteral("%1, all day").arg(dayWords(day));
        const DateTime at = (plan.first + day).Midnight() + DateTimeSpan(0, 0, m_slot * 15, 0);
        return QStringLiteral("%1, %2").arg(dayWords(day), timeText(whole(at)));
    }
    if (entry.band) {
        const WeekLayout::BandEntry& band = plan.band[entry.index];
        QString days = dayWords(band.firstDay);
        if (band.birthday < 0 && band.occurrence.lastDay != band.occurrence.firstDay)
            days = QStringLiteral("%1 to %2")
                       .arg(locale.toString(toQDate(band.occurrence.firstDay), QStringLiteral("dddd d MMMM")),
                            locale.toString(toQDate(band.occurrence.lastDay), QStringLiteral("dddd d MMMM")));
        const bool timed = band.birthday < 0 && !band.occurrence.allDay;
        return QStringLiteral("%1, %2 %3")
            .arg(days,
                 timed ? timeText(band.occurrence.start) + QLatin1Char('-') + timeText(band.occurrence.end)
                       : QStringLiteral("all day"),
                 TextOf(entry));
    }
    const WeekLayout::Box& box = plan.boxes[entry.index];
    return QStringLiteral("%1, %2-%3 %4")
        .arg(dayWords(box.day), timeText(box.occurrence.start), timeText(box.occurrence.end), TextOf(entry));
}

std::vector<WeekView::Entry> WeekView::entriesInSlot(int day, int slot) {
    const WeekLayout::Plan& plan = Plan();
    std::vector<Entry> entries;
    if (slot == kBandSlot) {
        for (std::size_t i = 0; i < plan.band.size(); ++i)
            if (plan.band[i].firstDay <= day && plan.band[i].lastDay >= day)
                entries.push_back({true, static_cast<int>(i)});
        return entries;
    }
    for (std::size_t i = 0; i < plan.boxes.size(); ++i) {
        const WeekLayout::Box& box = plan.boxes[i];
        if (box.day == day && box.startMinute < (slot + 1) * 15 && box.endMinute > slot * 15)
            entries.push_back({false, static_cast<int>(i)});
    }
    return entries;
}

void WeekView::PlaceCursor(int day, int slot) {
    const WeekLayout::Plan& plan = Plan();
    m_slot = std::clamp(slot, kBandSlot, kSlots - 1);
    const CalendarDate date = plan.first + day;
    if (CalendarDate::Of(controller().CurrentDate()) != date)
        controller().ShowDate(date.Midnight());
    if (m_slot != kBandSlot)
        m_grid->ShowSlot(m_slot, m_scroll);
    const std::vector<Entry> here = entriesInSlot(CursorDay(), m_slot);
    Select(here.empty() ? Entry{} : here.front());
}

void WeekView::Select(const Entry& entry) {
    m_selected = inPlan(entry) ? entry : Entry{};
    m_grid->update();
    m_band->update();
    announce();
}

void WeekView::cycle(bool forward) {
    const std::vector<Entry> here = entriesInSlot(CursorDay(), m_slot);
    if (here.empty())
        return;
    auto at = std::find(here.begin(), here.end(), m_selected);
    std::ptrdiff_t index = at == here.end() ? (forward ? -1 : 0) : at - here.begin();
    const auto count = static_cast<std::ptrdiff_t>(here.size());
    index = ((forward ? index + 1 : index - 1) + count) % count;
    Select(here[static_cast<std::size_t>(index)]);
}

bool WeekView::focusNextPrevChild(bool next) {
    // Tab walks the appointments of the cursor's slot; past the last it leaves the view.
    const std::vector<Entry> here = entriesInSlot(CursorDay(), m_slot);
    const auto at = std::find(here.begin(), here.end(), m_selected);
    const bool more = at == here.end() ? !here.empty() : (next ? at + 1 != here.end() : at != here.begin());
    if (more) {
        cycle(next);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

bool WeekView::selectInDayView(const Entry& entry) {
    const WeekLayout::Plan& plan = Plan();
    if (!inPlan(entry))
        return false;
    int day = 0;
    Occurrence occurrence;
    if (entry.band) {
        const WeekLayout::BandEntry& band = plan.band[entry.index];
        if (band.birthday >= 0)
            return false;
        day = std::clamp(CursorDay(), band.firstDay, band.lastDay);
        occurrence = band.occurrence;
    } else {
        day = plan.boxes[entry.index].day;
        occurrence = plan.boxes[entry.index].occurrence;
    }
    return controller().SelectListed(ActiveList::Appointments, occurrence.id, plan.first + day);
}

void WeekView::Open(const Entry& entry) {
    if (!selectInDayView(entry))
        return;
    m_selected = entry;
    emit commandRequested(cmd::AppointmentEdit);
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

void WeekView::CreateAt(int day, int slot) {
    const WeekLayout::Plan& plan = Plan();
    const CalendarDate date = plan.first + day;
    if (CalendarDate::Of(controller().CurrentDate()) != date)
        controller().ShowDate(date.Midnight());
    if (slot >= 0)
        m_dayView.SetNextAddStart(whole(date.Midnight() + DateTimeSpan(0, 0, slot * 15, 0)));
    emit commandRequested(cmd::AppointmentAdd);
    m_dayView.SetNextAddStart(std::nullopt);
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

void WeekView::DeleteSelected() {
    const Entry kept = m_selected;
    if (!selectInDayView(kept))
        return;
    m_selected = kept;
    emit commandRequested(cmd::AppointmentDelete);
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

bool WeekView::MoveBox(int index, const DateTime& start, const DateTime& end) {
    const WeekLayout::Plan& plan = Plan();
    if (!inPlan({false, index}))
        return false;
    const WeekLayout::Box box = plan.boxes[static_cast<std::size_t>(index)];
    const Occurrence& occurrence = box.occurrence;
    if (start == occurrence.start && end == occurrence.end)
        return false;
    const DateTimeSpan moveStart = start - occurrence.start;
    const DateTimeSpan moveEnd = end - occurrence.end;
    const bool changed =
        OccurrenceEditing::Change(controller().Document(), occurrence.id, (plan.first + box.day).Midnight(),
                                  m_dayView.Prompts(), [&](Appointment& appointment) {
                                      appointment.StartTime = whole(appointment.StartTime + moveStart);
                                      appointment.EndTime = whole(appointment.EndTime + moveEnd);
                                      appointment.DueDate = appointment.StartTime.Date();
                                      if (appointment.AlarmTime.IsValid())
                                          appointment.AlarmTime = whole(appointment.AlarmTime + moveStart);
                                  });
    if (changed) {
        m_slot = (start.Hour() * 60 + start.Minute()) / 15;
        m_follow = KeyOf(occurrence);
        m_followDate = CalendarDate::Of(start);
        controller().ShowDate(start.Date());
    }
    return changed;
}

void WeekView::ShowWeek(int weeks) {
    controller().ShowDate((CalendarDate::Of(controller().CurrentDate()) + 7 * weeks).Midnight());
    PlaceCursor(CursorDay(), m_slot);
}

bool WeekView::moveByKey(QKeyEvent* event) {
    const WeekLayout::Plan& plan = Plan();
    if (!(event->modifiers() & Qt::ControlModifier) || !m_selected.IsValid() || m_selected.band)
        return false;
    const WeekLayout::Box& box = plan.boxes[static_cast<std::size_t>(m_selected.index)];
    const bool end = event->modifiers() & Qt::ShiftModifier;
    DateTimeSpan move;
    switch (event->key()) {
    case Qt::Key_Up:
        move = DateTimeSpan(0, 0, -15, 0);
        break;
    case Qt::Key_Down:
        move = DateTimeSpan(0, 0, 15, 0);
        break;
    case Qt::Key_Left:
        move = DateTimeSpan(end ? 0 : -1, 0, 0, 0);
        break;
    case Qt::Key_Right:
        move = DateTimeSpan(end ? 0 : 1, 0, 0, 0);
        break;
    default:
        return false;
    }
    const Occurrence occurrence = box.occurrence;
    const DateTime newEnd = whole(occurrence.end + move);
    if (!end)
        MoveBox(m_selected.index, whole(occurrence.start + move), newEnd);
    else if (newEnd > occurrence.start)
        MoveBox(m_selected.index, occurrence.start, newEnd);
    return true;
}

void WeekView::keyPressEvent(QKeyEvent* event) {
    if (moveByKey(event))
        return;
    const WeekLayout::Plan& plan = Plan();
    const int day = CursorDay();
    const int firstSlot = plan.firstHour * 4;
    const int lastSlot = plan.lastHour * 4 - 1;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        const int target = layoutDirection() == Qt::RightToLeft ? day - step : day + step;
        controller().ShowDate((plan.first + target).Midnight());
        PlaceCursor(CursorDay(), m_slot);
        break;
    }
    case Qt::Key_Up:
        PlaceCursor(day, m_slot == kBandSlot ? kBandSlot : m_slot <= firstSlot ? kBandSlot : m_slot - 1);
        break;
    case Qt::Key_Down:
        PlaceCursor(day, m_slot == kBandSlot ? firstSlot : std::min(m_slot + 1, lastSlot));
        break;
    case Qt::Key_PageUp:
        ShowWeek(-1);
        break;
    case Qt::Key_PageDown:
        ShowWeek(1);
        break;
    case Qt::Key_Home:
        controller().ShowDate(DateTime::Today());
        PlaceCursor(CursorDay(), m_slot);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_selected.IsValid())
            Open(m_selected);
        else
            CreateAt(day, m_slot);
        break;
    case Qt::Key_Delete:
        DeleteSelected();
        break;
    case Qt::Key_Escape:
        if (!m_grid->CancelDrag())
            event->ignore();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void WeekView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_grid->update();
    m_band->update();
}

void WeekView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_grid->update();
    m_band->update();
}

void WeekView::announce() {
    const QString words = Announcement(m_selected);
    if (words == accessibleName())
        return;
    setAccessibleName(words);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
