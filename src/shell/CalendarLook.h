#pragma once

class QCalendarWidget;

// What the day view's month calendar needs beyond Qt's defaults: names for a screen reader on
// the parts that show only a picture or a number, and weekend numbers that stay readable on a
// dark palette as on a light one.
void NameCalendarParts(QCalendarWidget* calendar);
void UseReadableWeekendColours(QCalendarWidget* calendar);
