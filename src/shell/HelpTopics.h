#pragma once

// The help topics the program opens: the page under the help folder, and after '>' the kind of
// window the topic was written for.
namespace HelpTopics {

inline constexpr const char* MainWindow = "/html/Introduction.htm>mainwin";
inline constexpr const char* Calendar = "/html/calendar.htm>topic";
inline constexpr const char* AppointmentBook = "/html/apptbook.htm>topic";
inline constexpr const char* TaskList = "/html/tasklist.htm>topic";
inline constexpr const char* PhoneBook = "/html/phonebook.htm>topic";

} // namespace HelpTopics
