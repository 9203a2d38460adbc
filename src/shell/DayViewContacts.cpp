#include "DayView.h"

// The detail pane's buttons hand a phone number to the dialer and an e-mail or web address to the
// desktop. Until those actions exist a click does nothing.
void DayView::OnDetailValueClicked(PersonDetails::Field /*field*/) {}
