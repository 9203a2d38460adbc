#include "DayView.h"

// The record editors and Edit > User. Their commands stay disabled (not ready in the command
// table) until the dialogs exist.

void DayView::OnTaskAdd() {}

void DayView::OnTaskEdit() {}

void DayView::OnPersonAdd() {}

void DayView::OnPersonEdit() {}

void DayView::OnAppointmentAdd() {}

void DayView::OnAppointmentEdit() {}

void DayView::OnEditUser() {}
