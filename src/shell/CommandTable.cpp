#include "CommandTable.h"

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

const CommandInfo kEntries[] = {
    {cmd::FileNew, kFile, nullptr, "&New", "Ctrl+N", "Create a new document", "New"},
    {cmd::FileOpen, kFile, nullptr, "&Open...", "Ctrl+O", "Open an existing document", "Open"},
    {cmd::FileSave, kFile, nullptr, "&Save", "Ctrl+S", "Save the active document", "Save"},
    {cmd::FileSaveAs, kFile, nullptr, "Save &As...", nullptr, "Save the active document with a new name", "Save As"},
    {0, kFile, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::FileBackup, kFile, nullptr, "&Backup...", nullptr, "Back up current file", "Back up"},
    {cmd::FileCompact, kFile, nullptr, "&Compact", nullptr, "Remove empty space and old tasks from file", "Compact"},
    {cmd::FileRestoreBackup, kFile, nullptr, "&Restore Backup...", nullptr,
     "Open a copy of an earlier version of the current file", "Restore backup"},
    {0, kFile, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::ImportTasks, kFile, kImport, "&Tasks...", nullptr, "Import tasks from a text file", "Import tasks"},
    {cmd::ImportPhoneBook, kFile, kImport, "&Phone Book...", nullptr, "Import phone book from a text file",
     "Import phone book"},
    {cmd::ImportAppointments, kFile, kImport, "&Appointments...", nullptr, "Import appointments from a text file", ""},
    {0, kFile, kImport, nullptr, nullptr, nullptr, nullptr},
    {cmd::ImportContacts, kFile, kImport, "&Contacts (vCard)...", nullptr, "Import contacts from a vCard file",
     "Import contacts"},
    {cmd::ImportCalendar, kFile, kImport, "Ca&lendar (iCalendar)...", nullptr,
     "Import appointments and tasks from an iCalendar file", "Import calendar"},
    {cmd::ExportTasks, kFile, kExport, "&Tasks...", nullptr, "Export tasks to a text file", "Export tasks"},
    {cmd::ExportPhoneBook, kFile, kExport, "&Phone Book...", nullptr, "Export phone book to a text file",
     "Export phone book"},
    {cmd::ExportAppointments, kFile, kExport, "&Appointments...", nullptr, "Export appointments to a text file",
     "Export appointments"},
    {0, kFile, kExport, nullptr, nullptr, nullptr, nullptr},
    {cmd::ExportContacts, kFile, kExport, "&Contacts (vCard)...", nullptr, "Export the phone book to a vCard file",
     "Export contacts"},
    {cmd::ExportCalendar, kFile, kExport, "Ca&lendar (iCalendar)...", nullptr,
     "Export appointments and tasks to an iCalendar file", "Export calendar"},
    {cmd::FileSynchronize, kFile, nullptr, "Synchroni&ze", "Ctrl+Shift+S",
     "Exchange changes with the calendar and contacts server", "Synchronize"},
    {0, kFile, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::FilePrint, kFile, nullptr, "&Print...", "Ctrl+P", "Print the active document", "Print"},
    {cmd::FilePageSetup, kFile, nullptr, "Page Set&up...", nullptr, "Change the printing options", "Page Setup"},
    {cmd::FilePrintPreview, kFile, nullptr, "Print Pre&view...", nullptr, "Display full pages", "Print Preview"},
    {cmd::FileExportPdf, kFile, nullptr, "Export to PDF...", nullptr, "Write the chosen report to a PDF file",
     "Export to PDF"},
    {0, kFile, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::RecentFileFirst, kFile, kRecent, "(Empty)", nullptr, "Open this document", "Open document"},
    {0, kFile, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::AppExit, kFile, nullptr, "E&xit", nullptr, "Quit the application; prompts to save documents", "Exit"},

    {cmd::TaskAdd, kTasks, nullptr, "&Add...", nullptr, "Add a new task", " Add task"},
    {cmd::TaskDelete, kTasks, nullptr, "&Delete", nullptr, "Delete selected task", "Delete task"},
    {cmd::TaskEdit, kTasks, nullptr, "&Edit...", nullptr, "Edit selected task", "Edit task"},
    {cmd::TaskComplete, kTasks, nullptr, "&Complete", nullptr, "Mark selected task completed", "Mark complete"},

    {cmd::PersonAdd, kPhoneBook, nullptr, "&Add...", nullptr, "Add a name to the phone book", "Add name"},
    {cmd::PersonDelete, kPhoneBook, nullptr, "&Delete", nullptr, "Delete a name from the phone book", "Delete name"},
    {cmd::PersonEdit, kPhoneBook, nullptr, "&Edit...", nullptr, "Edit the selected name", "Edit name"},

    {cmd::AppointmentAdd, kAppointments, nullptr, "&Add...", nullptr, "Add an appointment", " Add appointment"},
    {cmd::AppointmentDelete, kAppointments, nullptr, "&Delete", nullptr, "Delete selected appointment",
     "Delete appointment"},
    {cmd::AppointmentEdit, kAppointments, nullptr, "&Edit...", nullptr, "Edit selected appointment",
     "Edit appointment"},

    // Menu text and prompt name the step: MainFrame adds it.
    {cmd::EditUndo, kEdit, nullptr, "&Undo", "Ctrl+Z", "Undo the last action", "Undo"},
    {cmd::EditRedo, kEdit, nullptr, "&Redo", "Ctrl+Y", "Redo the previously undone action", "Redo"},
    {0, kEdit, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::EditFind, kEdit, nullptr, "&Find...", "Ctrl+F", "Find persons, tasks and appointments", "Find"},
    {0, kEdit, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::EditUser, kEdit, nullptr, "&User...", nullptr, "Edit user information", "User"},
    {cmd::AlarmSound, kEdit, kOptions, "&Alarm Sound...", nullptr, "Change alarm sound", "Change alarm"},
    {cmd::OpenLastFileOnStart, kEdit, kOptions, "&Open Last File On Start", nullptr,
     "Open last file used when starting program", "Open last file"},
    {cmd::AudibleAlarm, kEdit, kOptions, "A&udible Alarm", nullptr, "Use sound with reminders", "Use audible alarm"},
    {cmd::SyncSettings, kEdit, kOptions, "&Synchronization Settings...", nullptr,
     "Choose the calendar and contacts server to synchronize with", "Synchronization settings"},

    {cmd::ReportDailyPlan, kReport, nullptr, "&Daily Tasks and Appointments", nullptr,
     "Print out the selected date's tasks and appointments", "Print tasks and appointments"},
    {cmd::ReportDailyTasks, kReport, nullptr, "Daily &Tasks", nullptr, "Print out the selected date's tasks",
     "Print tasks"},
    {cmd::ReportDailyAppointments, kReport, nullptr, "Daily &Appointments", nullptr,
     "Print out the selected date's appointments", "Print appointments"},
    {cmd::ReportWeeklyPlan, kReport, nullptr, "&Weekly Plan", nullptr, "Print out the current week's calendar",
     "Print weekly calendar"},
    {cmd::ReportMonthlyPlan, kReport, nullptr, "&Monthly Plan", nullptr, "Print out the current month's calendar",
     "Print monthly calendar"},
    {0, kReport, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::ReportEnvelopes, kReport, nullptr, "&Envelopes...", nullptr, "Print out envelopes for the selected persons",
     "Envelopes"},
    {cmd::ReportAddressBook, kReport, nullptr, "&Phone Book...", nullptr,
     "Print out an address book for the selected people", "Address Book"},
    {0, kReport, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::ReportFont, kReport, nullptr, "Report &Font...", nullptr, "Select font to use in reports",
     "Select reports font"},

    {cmd::ViewToolbar, kView, nullptr, "&Toolbar", nullptr, "Show or hide the toolbar", "Toggle ToolBar"},
    {cmd::ViewStatusBar, kView, nullptr, "&Status Bar", nullptr, "Show or hide the status bar", "Toggle StatusBar"},

    {cmd::HelpTopics, kHelp, nullptr, "&Help Topics", nullptr, "Display help file", "Help"},
    {0, kHelp, nullptr, nullptr, nullptr, nullptr, nullptr},
    {cmd::HelpAbout, kHelp, nullptr, "&About Tavoro!...", nullptr,
     "Display program information, version number and copyright", "About"},

    // Buttons without a menu item.
    {cmd::ContextHelp, nullptr, nullptr, "Help", nullptr, "Display help for clicked on buttons, menus and windows",
     "Help"},
    {cmd::PreviewPrevPage, nullptr, nullptr, "Previous page", nullptr, "Go to previouse page", "Previous page"},
    {cmd::PreviewNextPage, nullptr, nullptr, "Next page", nullptr, "Go to next page", "Next page"},
    {cmd::PreviewZoomIn, nullptr, nullptr, "Zoom In", nullptr, "Zoom In", "Zoom In"},
    {cmd::PreviewZoomOut, nullptr, nullptr, "Zoom Out", nullptr, "Zoom Out", "Zoom Out"},
    {cmd::PreviewClose, nullptr, nullptr, "Close Preview", "Esc", "Close Print Preview window", "Close Preview"},
};

} // namespace

namespace CommandTable {

std::span<const CommandInfo> Entries() {
    return kEntries;
}

const CommandInfo* Find(int id) {
    if (id == 0)
        return nullptr;
    for (const CommandInfo& entry : kEntries)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

std::span<const char* const> MenuTitles() {
    return kMenuTitles;
}

} // namespace CommandTable
