#pragma once

#include <QString>

#include <optional>
#include <string>

// A birthday or anniversary as the person sheet shows it and reads it back: the locale's short
// date with the full year ("3/15/1990"), or the day and month alone in the locale's order ("3/15",
// "15.3.") when the year is not known.
namespace birthdatetext {

// The stored "YYYY-MM-DD" or "--MM-DD" as shown; text that is no such date is shown as it is.
QString Shown(const std::string& stored);

// What was typed, as the document stores it: empty for an empty field, nothing when the text is
// no date of a year (or of no year: "29.2." is a day and month that exists).
std::optional<std::string> Read(const QString& typed);

} // namespace birthdatetext
