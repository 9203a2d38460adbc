#include "MenuLayout.h"

#include "CommandIds.h"

namespace {

constexpr const char* kFile = "&File";
constexpr const char* kTasks = "&Tasks";
constexpr const char* kPhoneBook = "&Phone Book";
constexpr const char* kAppointments = "&Appointments";
constexpr const char* kEdit = "&Edit";
constexpr const char* kReport = "&Report";
constexpr const char* kView = "&View";
constexpr const char* kHelp = "&Help";

constexpr const char* const kMenuTitles[] = {kFile, kTasks, kPhoneBook, kAppointments, kEdit, kReport, kView, kHelp};

constexpr const char* kImport = "&Import";
constexpr const char* kExport = "&Export";
constexpr const char* kRecent = "Recent &Files";
constexpr const char* kOptions = "&Options";

constexpr MenuItem kItems[] = {
    {kFile, nullptr, cmd::FileNew},
    {kFile, nullptr, cmd::FileOpen},
    {kFile, nullptr, cmd::FileSave},
    {kFile, nullptr, cmd::FileSaveAs},
    {kFile, nullptr, 0},
    {kFile, nullptr, cmd::FileBackup},
    {kFile, nullptr, cmd::FileCompact},
    {kFile, nullptr, cmd::FileRestoreBackup},
    {kFile, nullptr, 0},
    {kFile, kImport, cmd::ImportTasks},
    {kFile, kImport, cmd::ImportPhoneBook},
    {kFile, kImport, cmd::ImportAppointments},
    {kFile, kImport, 0},
    {kFile, kImport, cmd::ImportContacts},
    {kFile, kImport, cmd::ImportCalendar},
    {kFile, kExport, cmd::ExportTasks},
    {kFile, kExport, cmd::ExportPhoneBook},
    {kFile, kExport, cmd::ExportAppointments},
    {kFile, kExport, 0},
    {kFile, kExport, cmd::ExportContacts},
    {kFile, kExport, cmd::ExportCalendar},
    {kFile, nullptr, cmd::FileSynchronize},
    {kFile, nullptr, 0},
    {kFile, nullptr, cmd::FilePrint},
    {kFile, nullptr, cmd::FilePageSetup},
    {kFile, nullptr, cmd::FilePrintPreview},
    {kFile, nullptr, cmd::FileExportPdf},
    {kFile, nullptr, 0},
    {kFile, kRecent, cmd::RecentFileFirst}, // the recent-file list fills this popup
    {kFile, nullptr, 0},
    {kFile, nullptr, cmd::AppExit},

    {kTasks, nullptr, cmd::TaskAdd},
    {kTasks, nullptr, cmd::TaskDelete},
    {kTasks, nullptr, cmd::TaskEdit},
    {kTasks, nullptr, cmd::TaskComplete},

    {kPhoneBook, nullptr, cmd::PersonAdd},
    {kPhoneBook, nullptr, cmd::PersonDelete},
    {kPhoneBook, nullptr, cmd::PersonEdit},

    {kAppointments, nullptr, cmd::AppointmentAdd},
    {kAppointments, nullptr, cmd::AppointmentDelete},
    {kAppointments, nullptr, cmd::AppointmentEdit},
    {kAppointments, nullptr, cmd::AppointmentQuickAdd},

    {kEdit, nullptr, cmd::EditUndo},
    {kEdit, nullptr, cmd::EditRedo},
    {kEdit, nullptr, 0},
    {kEdit, nullptr, cmd::EditFind},
    {kEdit, nullptr, 0},
    {kEdit, nullptr, cmd::EditUser},
    {kEdit, kOptions, cmd::AlarmSound},
    {kEdit, kOptions, cmd::OpenLastFileOnStart},
    {kEdit, kOptions, cmd::AudibleAlarm},
    {kEdit, kOptions, cmd::ConfirmDelete},
    {kEdit, kOptions, cmd::SyncSettings},

    {kReport, nullptr, cmd::ReportDailyPlan},
    {kReport, nullptr, cmd::ReportDailyTasks},
    {kReport, nullptr, cmd::ReportDailyAppointments},
    {kReport, nullptr, cmd::ReportWeeklyPlan},
    {kReport, nullptr, cmd::ReportMonthlyPlan},
    {kReport, nullptr, 0},
    {kReport, nullptr, cmd::ReportEnvelopes},
    {kReport, nullptr, cmd::ReportAddressBook},
    {kReport, nullptr, 0},
    {kReport, nullptr, cmd::ReportFont},

    {kView, nullptr, cmd::ViewDay},
    {kView, nullptr, cmd::ViewWeek},
    {kView, nullptr, cmd::ViewAgenda},
    {kView, nullptr, cmd::ViewBirthdays},
    {kView, nullptr, 0},
    {kView, nullptr, cmd::ViewGoToToday},
    {kView, nullptr, 0},
    {kView, nullptr, cmd::ViewToolbar},
    {kView, nullptr, cmd::ViewStatusBar},

    {kHelp, nullptr, cmd::HelpTopics},
    {kHelp, nullptr, 0},
    {kHelp, nullptr, cmd::HelpAbout},
};

} // namespace

namespace MenuLayout {

std::span<const char* const> MenuTitles() {
    return kMenuTitles;
}

std::span<const MenuItem> Items() {
    return kItems;
}

} // namespace MenuLayout
