#include "DayView.h"

#include "DayListView.h"
#include "HelpTopics.h"
#include "search/SearchPanel.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

void DayView::buildSearch() {
    m_search = new SearchPanel(m_controller.Document(), this);
    m_search->setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::Search));
    // Above the calendar and the lists.
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_search);
    connect(m_search, &SearchPanel::recordChosen, this, &DayView::goToFound);
    connect(m_search, &SearchPanel::closed, this, [this] {
        makeRoomForSearch(false);
        if (QWidget* list = listOf(m_controller.Active()))
            list->setFocus(Qt::OtherFocusReason);
        else
            m_calendar->setFocus(Qt::OtherFocusReason);
    });
}

void DayView::OnEditFind() {
    if (m_search->isHidden())
        makeRoomForSearch(true);
    m_search->Open();
}

// The search takes its height from the window, not from the calendar and the lists: the window
// grows by it while the search is open, as far as the screen allows, and gives it back after.
void DayView::makeRoomForSearch(bool open) {
    QWidget* top = window();
    if (open) {
        int room = m_search->sizeHint().height() + layout()->spacing();
        if (top->isMaximized() || top->isFullScreen())
            return;
        if (const QScreen* screen = top->screen())
            room = std::clamp(screen->availableGeometry().height() - top->frameGeometry().height(), 0, room);
        setMinimumSize(DialogSize() + QSize(0, room));
        top->resize(top->width(), top->height() + room);
        m_searchRoom = room;
    } else {
        setMinimumSize(DialogSize());
        if (m_searchRoom > 0 && !top->isMaximized() && !top->isFullScreen())
            top->resize(top->width(), top->height() - m_searchRoom);
        m_searchRoom = 0;
    }
}

void DayView::goToFound(const SearchHit& hit) {
    bool found = false;
    switch (hit.kind) {
    case RecordKind::Person:
        found = m_controller.GoToPerson(hit.id);
        m_whitePages->setChecked(m_controller.WhitePages());
        m_yellowPages->setChecked(m_controller.YellowPages());
        break;
    case RecordKind::Task:
        found = m_controller.GoToTask(hit.id);
        break;
    case RecordKind::Appointment:
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
