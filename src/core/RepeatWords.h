#pragma once

#include "CalendarDate.h"

#include <string>
#include <string_view>

struct Appointment;

// A repeat rule said in one line of words, as the editor's summary and the detail pane show it:
// "Every 2 weeks on Monday and Thursday, until 30 June 2027". `start` is the first occurrence's
// date, which fills in what the rule leaves to it (the weekday of a weekly rule, the day of a monthly
// or yearly one); `allDay` and `zone` say how an UNTIL given in UTC reads. Parts beyond the usual
// ones are summed up as "(with further conditions)"; text that is no usable rule gives "".
std::string RepeatInWords(std::string_view rule, CalendarDate start, bool allDay = false, const std::string& zone = {});
// The same for a stored series; "" for a record that does not repeat.
std::string RepeatInWords(const Appointment& series);
