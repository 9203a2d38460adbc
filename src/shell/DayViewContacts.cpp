#include "DayView.h"
#include "contacts/ContactActions.h"
#include "docfile/PimDocument.h"

#include <optional>

namespace {

std::optional<ContactActions::Button> buttonOf(PersonDetails::Field field) {
    switch (field) {
    case PersonDetails::HomePhone:
        return ContactActions::Button::HomePhone;
    case PersonDetails::WorkPhone:
        return ContactActions::Button::WorkPhone;
    case PersonDetails::Pager:
        return ContactActions::Button::Pager;
    case PersonDetails::CelPhone:
        return ContactActions::Button::CelPhone;
    case PersonDetails::EMail:
        return ContactActions::Button::EMail;
    case PersonDetails::WebPage:
        return ContactActions::Button::WebPage;
    case PersonDetails::Fax:
    case PersonDetails::FieldCount:
        break;
    }
    return std::nullopt;
}

} // namespace

// The detail pane's buttons hand the selected person's number or address to the desktop. The
// person is looked up again now, so one that left the document since the pane was filled is
// simply not there, and what the button shows is never what is sent.
void DayView::OnDetailValueClicked(PersonDetails::Field field) {
    const std::optional<ContactActions::Button> button = buttonOf(field);
    if (m_contacts && button)
        m_contacts->Trigger(*button, m_controller.Document().Records(), m_controller.SelectedPerson().id);
}
