#pragma once

// The help topics the program opens: the page under the help folder, and after '>' the kind of
// window the topic was written for.
// The dynamic property that gives a window or control its help topic; a control without one has
// the topic of its nearest ancestor that has one.
inline constexpr const char* kHelpTopicProperty = "helpTopic";

namespace HelpTopics {

inline constexpr const char* MainWindow = "/html/Introduction.htm>mainwin";
inline constexpr const char* Calendar = "/html/calendar.htm>topic";
inline constexpr const char* AppointmentBook = "/html/apptbook.htm>topic";
inline constexpr const char* TaskList = "/html/tasklist.htm>topic";
inline constexpr const char* PhoneBook = "/html/phonebook.htm>topic";

} // namespace HelpTopics
