#pragma once

// The help topics the program opens: the page under the help folder, and after '>' the kind of
// window the topic was written for.
namespace HelpTopics {

// The property of a window or control that names its topic; help for a control is the topic of
// the nearest of it and its parents that has one.
inline constexpr const char* kHelpTopicProperty = "helpTopic";

inline constexpr const char* MainWindow = "/html/Introduction.htm>mainwin";
inline constexpr const char* Calendar = "/html/calendar.htm>topic";
inline constexpr const char* AppointmentBook = "/html/apptbook.htm>topic";
inline constexpr const char* TaskList = "/html/tasklist.htm>topic";
inline constexpr const char* PhoneBook = "/html/phonebook.htm>topic";
inline constexpr const char* PersonEditor = "/html/person.htm>topic";
inline constexpr const char* TaskEditor = "/html/task.htm>topic";
inline constexpr const char* AppointmentEditor = "/html/appointment.htm>topic";
inline constexpr const char* UserEditor = "/html/user.htm>topic";
inline constexpr const char* Reminders = "/html/reminders.htm>topic";
inline constexpr const char* UndoRedo = "/html/undo.htm>topic";
inline constexpr const char* Search = "/html/search.htm>topic";
inline constexpr const char* Printing = "/html/printing.htm>topic";
inline constexpr const char* Backups = "/html/backups.htm>topic";
inline constexpr const char* DelimitedImport = "/html/csvimport.htm>topic";
inline constexpr const char* DelimitedExport = "/html/csvexport.htm>topic";
inline constexpr const char* FileFormats = "/html/formats.htm>topic";
inline constexpr const char* Synchronization = "/html/sync.htm>topic";

// Every topic, for the check that each names a page that exists.
inline constexpr const char* const All[] = {
    MainWindow, Calendar,          AppointmentBook, TaskList,        PhoneBook,   PersonEditor,
    TaskEditor, AppointmentEditor, UserEditor,      Reminders,       UndoRedo,    Search,
    Printing,   Backups,           DelimitedImport, DelimitedExport, FileFormats, Synchronization};

} // namespace HelpTopics
