#pragma once

// The number of every command of the menus, the toolbars and the day view. Menu items, toolbar
// buttons and the dispatch tables all refer to commands by these numbers.
namespace cmd {

enum : int {
    // File
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FileBackup = 32786,
    FileCompact = 32787,
    FileRestoreBackup = 32860,
    ImportTasks = 32813,
    ImportPhoneBook = 32814,
    ImportAppointments = 32815,
    ExportTasks = 32801,
    ExportPhoneBook = 32781,
    ExportAppointments = 32783,
    ImportContacts = 32840,
    ImportCalendar = 32841,
    ExportContacts = 32842,
    ExportCalendar = 32843,
    FileSynchronize = 32870,
    FilePrint = 57607,
    FilePageSetup = 57605,
    FilePrintPreview = 57609,
    FileExportPdf = 32861,
    RecentFileFirst = 57616, // the top item of "Recent &Files"
    RecentFileLast = 57631,
    AppExit = 57665,

    // Tasks
    TaskAdd = 32790,
    TaskDelete = 32791,
    TaskEdit = 32792,
    TaskComplete = 32793,

    // Phone Book
    PersonAdd = 32775,
    PersonDelete = 32776,
    PersonEdit = 32777,

    // Appointments
    AppointmentAdd = 32797,
    AppointmentDelete = 32798,
    AppointmentEdit = 32799,
    AppointmentQuickAdd = 32882,

    // Edit
    EditUndo = 57643,
    EditRedo = 57644,
    EditFind = 32872,
    EditUser = 32771,
    AlarmSound = 32789,
    OpenLastFileOnStart = 32831,
    AudibleAlarm = 32832,
    SyncSettings = 32871,
    ConfirmDelete = 32881,

    // Report
    ReportDailyPlan = 32778,
    ReportDailyTasks = 32780,
    ReportDailyAppointments = 32779,
    ReportWeeklyPlan = 32830,
    ReportMonthlyPlan = 32829,
    ReportEnvelopes = 32782,
    ReportAddressBook = 32784,
    ReportFont = 32785,

    // View
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ViewGoToToday = 32880,
    ViewDay = 32883,
    ViewWeek = 32884,
    ViewAgenda = 32885,
    ViewBirthdays = 32886,

    // Help
    HelpTopics = 57667,
    HelpAbout = 57664,
    ContextHelp = 57669,

    // Print preview toolbar
    PreviewPrevPage = 58115,
    PreviewNextPage = 58114,
    PreviewZoomIn = 32819,
    PreviewZoomOut = 32820,
    PreviewClose = 58112,
};

inline bool isRecentFile(int id) {
    return id >= RecentFileFirst && id <= RecentFileLast;
}

} // namespace cmd
