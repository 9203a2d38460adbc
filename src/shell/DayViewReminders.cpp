#include "DayView.h"

#include "platform/gui/QtPromptService.h"
#include "reminders/DayReminders.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

void DayView::StartReminders() {
    m_reminders = std::make_unique<DayReminders>(m_controller.Document(), this);
    connect(&m_reminders->Center(), &ReminderCenter::todayChanged, this,
            [this](const DateTime& previous, const DateTime& today) {
                m_controller.TodayChanged(previous, today);
                markToday(today);
            });
    markToday(DateTime::Today());
}

void DayView::SetPromptService(platform::PromptService* prompts) {
    m_prompts = prompts;
    // The reminders ask where the day view does, so that one service answers both.
    if (m_reminders)
        m_reminders->Center().SetPromptService(prompts);
}

// Today's date stands out in the calendar; at midnight the mark moves on.
void DayView::markToday(const DateTime& today) {
    const QDate previous = m_markedToday;
    m_markedToday = QDate(today.Year(), today.Month(), today.Day());
    if (previous.isValid())
        m_calendar->setDateTextFormat(previous, dayFormat(previous));
    m_calendar->setDateTextFormat(m_markedToday, dayFormat(m_markedToday));
}

bool DayView::AudibleAlarm() const {
    return m_reminders && m_reminders->Settings().Audible();
}

void DayView::OnAlarmSound() {
    if (m_prompts) {
        m_reminders->ChooseSound(*m_prompts);
        return;
    }
    platform::QtPromptService prompts(window());
    m_reminders->ChooseSound(prompts);
}

void DayView::OnAudibleAlarm() {
    m_reminders->ToggleAudible();
}
