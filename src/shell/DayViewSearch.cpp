#include "DayView.h"

#include "DayListView.h"
#include "HelpTopics.h"
#include "search/SearchPanel.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

void DayView::buildSearch() {
    m_search = new SearchPanel(m_controller.Document(), this);
    m_search->setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Search));
    // Above the calendar and the lists.
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_search);
    connect(m_search, &SearchPanel::recordChosen, this, &DayView::goToFound);
    connect(m_search, &SearchPanel::closed, this, [this] {
        if (QWidget* list = listOf(m_controller.Active()))
            list->setFocus(Qt::OtherFocusReason);
        else
            m_calendar->setFocus(Qt::OtherFocusReason);
    });
}

void DayView::OnEditFind() {
    m_search->Open();
}

void DayView::goToFound(const SearchHit& hit) {
    bool found = false;
    switch (hit.kind) {
    case SearchKind::Person:
        found = m_controller.GoToPerson(hit.id);
        m_whitePages->setChecked(m_controller.WhitePages());
        m_yellowPages->setChecked(m_controller.YellowPages());
        break;
    case SearchKind::Task:
        found = m_controller.GoToTask(hit.id);
        break;
    case SearchKind::Appointment:
        found = m_controller.GoToAppointment(hit.id);
        break;
    }
    // The keys now work on the record's list: Enter edits it, Del deletes it.
    if (found) {
        DayListView* list = listOf(m_controller.Active());
        list->setFocus(Qt::OtherFocusReason);
        list->scrollTo(list->currentIndex());
    }
}
