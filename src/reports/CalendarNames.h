#pragma once

#include <QString>

// The fixed names the weekly and monthly plans print.
namespace CalendarNames {

// Mini calendars: "Jan" ... with "June", "July" and "Sept" in four letters.
QString MiniMonth(int month);
// The month grid's title: three letters each.
QString GridMonth(int month);
// The weekly title: three letters each.
QString WeeklyMonth(int month);
// Mini-calendar column heads, Sunday first.
QString WeekdayLetter(int column);
// Month-grid column heads: "SUN" ... "SAT".
QString GridWeekday(int column);
// Weekly boxes 0 to 7: "SUNDAY" ... "SATURDAY", then "NOTES".
QString BoxHeading(int box);

} // namespace CalendarNames
