#pragma once

#include "core/DateTime.h"

#include <QString>

#include <string>

// Texts the reports print, in the user's locale.
namespace ReportText {

// "High", "Medium", "Low" or "Done"; empty for a value outside 0 to 3 (only a damaged file has one).
QString PriorityWord(int priority);
// Hour and minutes: "1:05 PM" with the locale's AM/PM markers, or "13:05" in a locale that has
// none (a bare "1:05" would not say which); empty when the time is invalid.
QString Time(const DateTime& time);
// The locale's long date; empty when the date is invalid.
QString LongDate(const DateTime& date);
// The short date format; empty when the date is invalid.
QString ShortDate(const DateTime& date);
// Record text, as it meets the page.
QString Text(const std::string& bytes);

} // namespace ReportText
