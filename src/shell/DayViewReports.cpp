#include "BirthdaySetting.h"
#include "DayView.h"

#include "docfile/PimDocument.h"
#include "persons/PersonsToIncludeDialog.h"
#include "reports/BirthdayNotes.h"
#include "reports/PersonGathering.h"
#include "reports/PlanGathering.h"

// The Report menu's calendar and person reports. They choose the report and gather its records;
// File > Print and File > Print Preview produce it.

void DayView::OnReportWeeklyPlan() {
    PimDocument& document = m_controller.Document();
    PlanGathering::Choose(m_reportSelection, ReportKind::WeeklyPlan, document.Records(), m_controller.CurrentDate());
    chooseBirthdays();
}

void DayView::OnReportMonthlyPlan() {
    PimDocument& document = m_controller.Document();
    PlanGathering::Choose(m_reportSelection, ReportKind::MonthlyPlan, document.Records(), m_controller.CurrentDate());
    chooseBirthdays();
}

// The calendar reports write the birthdays of their days as the views show them, or none.
void DayView::chooseBirthdays() {
    if (BirthdaySetting::Shown())
        BirthdayNotes::Choose(m_reportSelection, m_controller.Document().Records());
    else
        m_reportSelection.Birthdays.clear();
}

void DayView::OnReportAddressBook() {
    ChoosePersonsFor(ReportKind::AddressBook);
}

void DayView::OnReportEnvelopes() {
    ChoosePersonsFor(ReportKind::Envelopes);
}

void DayView::ChoosePersonsFor(::ReportKind kind) {
    const PimDocument& document = m_controller.Document();
    const bool white = m_controller.WhitePages();
    const bool yellow = m_controller.YellowPages();
    PersonsToIncludeSelection selection(document.Persons(), white, yellow);
    PersonsToIncludeDialog dialog(selection, this);
    connect(&dialog, &PersonsToIncludeDialog::helpTopicRequested, this, &DayView::helpRequested);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PersonGathering::Choose(m_reportSelection, kind, selection.ChosenPersons(document.Persons()), white, yellow);
    switch (selection.ChosenAction()) {
    case PersonsToIncludeSelection::Action::Preview:
        emit previewRequested();
        break;
    case PersonsToIncludeSelection::Action::Print:
        emit printRequested();
        break;
    case PersonsToIncludeSelection::Action::Ok:
        break;
    }
}
