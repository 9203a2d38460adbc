#pragma once

#include "platform/gui/DrawSurface.h"
#include "reports/CalendarMonth.h"

// The small month calendar in the heading of the weekly and monthly plans: a title band with the
// month's name and year, a row of weekday letters and up to six rows of day numbers, in a grid
// seven columns of three characters wide and eight lines high. Drawn with the surface's current
// font (the report face, bold, 8 points) and pen.
namespace MiniCalendar {

int Width(const platform::TextMetrics& metrics);
int Height(const platform::TextMetrics& metrics);
void Draw(platform::DrawSurface& surface, int x0, int y0, const CalendarMonth& month);

} // namespace MiniCalendar
