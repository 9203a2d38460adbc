#include "DayView.h"

#include "platform/gui/QtPromptService.h"
#include "reminders/DayReminders.h"

// The reminder timer looks at the appointment list as it stands: its rows in their order, with
// the record each carries and whether its Time column has text.
void DayView::StartReminders() {
    auto rows = [this] {
        const RecordListModel& list = m_controller.Appointments();
        std::vector<ListedAppointment> listed;
        listed.reserve(static_cast<std::size_t>(list.Count()));
        for (int row = 0; row < list.Count(); ++row)
            listed.push_back({list.Row(row).id, !list.Row(row).columns[0].empty()});
        return listed;
    };
    m_reminders = std::make_unique<DayReminders>(m_controller.Document(), rows, this);
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
