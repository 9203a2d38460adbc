#pragma once

#include "core/DateTime.h"

#include <QString>

#include <string>

// Texts the reports print, in the user's locale.
namespace ReportText {

// "High", "Medium", "Low" or "Done"; empty for a value outside 0 to 3 (only a damaged file has one).
QString PriorityWord(int priority);
// "h:mm t": hour on the 12-hour clock, minutes, one-letter A/P; empty when the time is invalid.
QString Time(const DateTime& time);
// The short date format; empty when the date is invalid.
QString ShortDate(const DateTime& date);
// Record text, as it meets the page.
QString Text(const std::string& bytes);

} // namespace ReportText
