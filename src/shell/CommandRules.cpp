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
        return CommandState{c.reportKind != ReportKind::None, false};
    case cmd::PreviewClose:
        return CommandState{};
    default:
        return std::nullopt;
    }
}

bool isPreviewCommand(int id) {
    return id == cmd::PreviewNextPage || id == cmd::PreviewPrevPage || id == cmd::PreviewZoomIn ||
           id == cmd::PreviewZoomOut || id == cmd::PreviewClose;
}

// While the preview is shown, what it shows can be printed, set up or replaced by another report,
// and the window and help stay at hand; every command that would change the document or work on
// the hidden day view is disabled.
bool appliesToPreview(int id) {
    switch (id) {
    case cmd::FilePrintPreview:
    case cmd::FilePageSetup:
    case cmd::ReportFont:
    case cmd::ReportDailyPlan:
    case cmd::ReportDailyTasks:
    case cmd::ReportDailyAppointments:
    case cmd::ReportWeeklyPlan:
    case cmd::ReportMonthlyPlan:
    case cmd::ReportEnvelopes:
    case cmd::ReportAddressBook:
    case cmd::ViewToolbar:
    case cmd::ViewStatusBar:
    case cmd::HelpTopics:
    case cmd::HelpAbout:
    case cmd::AppExit:
        return true;
    default:
        return false;
    }
}

// The report each Report menu command chooses.
ReportKind reportKindOf(int id) {
    switch (id) {
    case cmd::ReportAddressBook:
        return ReportKind::AddressBook;
    case cmd::ReportEnvelopes:
        return ReportKind::Envelopes;
    case cmd::ReportDailyPlan:
        return ReportKind::DailyPlan;
    case cmd::ReportDailyTasks:
        return ReportKind::DailyTasks;
    case cmd::ReportDailyAppointments:
        return ReportKind::DailyAppointments;
    case cmd::ReportWeeklyPlan:
        return ReportKind::WeeklyPlan;
    case cmd::ReportMonthlyPlan:
        return ReportKind::MonthlyPlan;
    default:
        return ReportKind::None;
    }
}

CommandState enabledIf(bool enabled) {
    return CommandState{enabled, false};
}

} // namespace

namespace CommandRules {

std::optional<CommandState> StateOf(int id, const CommandContext& c) {
    if (c.previewing) {
        if (std::optional<CommandState> state = previewState(id, c))
            return state;
    } else if (isPreviewCommand(id)) {
        return CommandState{false, false};
    }
    std::optional<CommandState> state = NormalStateOf(id, c);
    if (c.previewing && state && !appliesToPreview(id))
        state->enabled = false;
    return state;
}

std::optional<CommandState> NormalStateOf(int id, const CommandContext& c) {
    const bool reportChecked = reportKindOf(id) != ReportKind::None && reportKindOf(id) == c.reportKind;
    switch (id) {
    case cmd::FileSave:
        return enabledIf(c.modified);
    case cmd::EditUndo:
        return enabledIf(c.canUndo);
    case cmd::EditRedo:
        return enabledIf(c.canRedo);
    case cmd::FileBackup:
        return enabledIf(c.hasFileName);
    case cmd::FileRestoreBackup:
        return enabledIf(c.hasBackupSource);
    case cmd::FilePrint:
    case cmd::FilePrintPreview:
    case cmd::FileExportPdf:
        return enabledIf(c.reportKind != ReportKind::None);
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
    case cmd::ConfirmDelete:
        return CommandState{true, c.confirmDelete};
    case cmd::ViewToolbar:
        return CommandState{true, c.toolbarVisible};
    case cmd::ViewStatusBar:
        return CommandState{true, c.statusBarVisible};
    case cmd::ViewDay:
        return CommandState{true, c.mainView == MainView::Day};
    case cmd::ViewWeek:
        return CommandState{true, c.mainView == MainView::Week};
    case cmd::ViewAgenda:
        return CommandState{true, c.mainView == MainView::Agenda};
    case cmd::ViewBirthdays:
        return CommandState{true, c.birthdaysShown};
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
