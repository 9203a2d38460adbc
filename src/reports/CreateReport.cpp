#include "reports/CreateReport.h"

#include "reports/AddressBookReport.h"
#include "reports/DailyAppointmentsReport.h"
#include "reports/DailyPlanReport.h"
#include "reports/DailyTasksReport.h"
#include "reports/EnvelopeReport.h"
#include "reports/MonthlyPlanReport.h"
#include "reports/WeeklyPlanReport.h"

namespace {

std::unique_ptr<Report> build(platform::DrawSurface* layout, const ReportSelection& selection) {
    switch (selection.Kind) {
    case ReportKind::DailyPlan:
        return std::make_unique<DailyPlanReport>(layout, selection.SelectedDate, selection.Appointments,
                                                 selection.Tasks, selection.Birthdays);
    case ReportKind::DailyTasks:
        return std::make_unique<DailyTasksReport>(layout, selection.SelectedDate, selection.Tasks);
    case ReportKind::DailyAppointments:
        return std::make_unique<DailyAppointmentsReport>(layout, selection.SelectedDate, selection.Appointments,
                                                         selection.Birthdays);
    case ReportKind::AddressBook:
        return std::make_unique<AddressBookReport>(layout, selection.AddressBookPersons);
    case ReportKind::Envelopes:
        return std::make_unique<EnvelopeReport>(layout, selection.User, selection.EnvelopePersons,
                                                selection.YellowPages);
    case ReportKind::WeeklyPlan:
        return std::make_unique<WeeklyPlanReport>(layout, selection.SelectedDate, selection.Tasks,
                                                  selection.Appointments, selection.Birthdays);
    case ReportKind::MonthlyPlan:
        return std::make_unique<MonthlyPlanReport>(layout, CalendarMonth::Of(selection.SelectedDate), selection.Tasks,
                                                   selection.Appointments, selection.Birthdays);
    case ReportKind::None:
        break;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<Report> CreateReport(platform::DrawSurface* layout, const ReportSelection& selection,
                                     const PageMargins& margins, const ReportFont& font) {
    std::unique_ptr<Report> report = build(layout, selection);
    if (!report)
        return nullptr;
    report->SetMargins(margins);
    report->SetFaceName(font.faceName);
    report->SetPointSize(font.pointSize);
    // Done here as well as on each page, so that the page count is right before the first page.
    report->FitTypeToPaper();
    return report;
}
