#pragma once

// Repeating appointments: 100,000 appointments of which 10,000 are series. The occurrence query over
// a month and a year, the index's first use and idle preparation, and the day view's date change
// in the main window.
void runOccurrencesBench();
