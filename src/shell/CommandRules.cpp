#include "CommandRules.h"

#include "CommandIds.h"

namespace {

std::optional<CommandState> previewState(int id, const CommandContext& c) {
    switch (id) {
    case cmd::PreviewNextPage:
        return CommandState{c.canNextPage, false};
    case cmd::PreviewPrevPage:
        return CommandState{c.canPreviousPage, false};
    case cmd::PreviewZoomIn:
        return CommandState{c.canZoomIn, false};
    case cmd::PreviewZoomOut:
        return CommandState{c.canZoomOut, false};
    case cmd::FilePrint:
    case cmd::FileExportPdf:
        return CommandState{c.reportKind != 0, false};
    case cmd::EditUndo: // the pages shown would no longer be the records'
    case cmd::EditRedo:
    case cmd::EditFind: // the search shows in the day view, which the preview hides
        return CommandState{false, false};
    default:
        return std::nullopt;
    }
}

int reportKindOf(int id) {
    switch (id) {
    case cmd::ReportAddressBook:
        return 1;
    case cmd::ReportEnvelopes:
        return 2;
    case cmd::ReportDailyPlan:
        return 3;
    case cmd::ReportDailyTasks:
        return 4;
    case cmd::ReportDailyAppointments:
        return 5;
    case cmd::ReportWeeklyPlan:
        return 6;
    case cmd::ReportMonthlyPlan:
        return 7;
    default:
        return 0;
    }
}

CommandState enabledIf(bool enabled) {
    return CommandState{enabled, false};
}

} // namespace

namespace CommandRules {

std::optional<CommandState> StateOf(int id, const CommandContext& c) {
    if (c.previewing)
        return previewState(id, c);

    const bool reportChecked = reportKindOf(id) != 0 && reportKindOf(id) == c.reportKind;
    switch (id) {
    case cmd::FileSave:
        return enabledIf(c.modified);
    case cmd::EditUndo:
        return enabledIf(c.canUndo);
    case cmd::EditRedo:
        return enabledIf(c.canRedo);
    case cmd::FileBackup:
    case cmd::FileRestoreBackup:
        return enabledIf(c.hasFileName);
    case cmd::FilePrint:
    case cmd::FilePrintPreview:
    case cmd::FileExportPdf:
        return enabledIf(c.reportKind != 0);
    case cmd::PersonDelete:
    case cmd::PersonEdit:
        return enabledIf(c.personSelected && c.activeList == ActiveList::PhoneBook);
    case cmd::TaskDelete:
    case cmd::TaskEdit:
    case cmd::TaskComplete:
        return enabledIf(c.taskSelected && c.activeList == ActiveList::Tasks);
    case cmd::AppointmentDelete:
    case cmd::AppointmentEdit:
        return enabledIf(c.appointmentSelected && c.activeList == ActiveList::Appointments);
    case cmd::ReportAddressBook:
    case cmd::ReportEnvelopes:
        return CommandState{c.persons > 0, reportChecked};
    case cmd::ReportDailyPlan:
        return CommandState{c.taskRows > 0 || c.appointmentRows > 0, reportChecked};
    case cmd::ReportDailyTasks:
        return CommandState{c.taskRows > 0, reportChecked};
    case cmd::ReportDailyAppointments:
        return CommandState{c.appointmentRows > 0, reportChecked};
    case cmd::ReportWeeklyPlan:
    case cmd::ReportMonthlyPlan:
        return CommandState{true, reportChecked};
    case cmd::OpenLastFileOnStart:
        return CommandState{true, c.openLastFile};
    case cmd::AudibleAlarm:
        return CommandState{true, c.audibleAlarm};
    case cmd::ViewToolbar:
        return CommandState{true, c.toolbarVisible};
    case cmd::ViewStatusBar:
        return CommandState{true, c.statusBarVisible};
    case cmd::FileCompact:
    case cmd::ExportTasks:
        return enabledIf(c.tasks > 0);
    case cmd::ExportPhoneBook:
    case cmd::ExportContacts:
        return enabledIf(c.persons > 0);
    case cmd::ExportCalendar:
        return enabledIf(c.appointments > 0 || c.tasks > 0);
    case cmd::ExportAppointments:
        return enabledIf(c.appointments > 0);
    case cmd::FileSynchronize:
        return enabledIf(!c.synchronizing);
    default:
        return CommandState{};
    }
}

} // namespace CommandRules
