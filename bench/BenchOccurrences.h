#pragma once

// Repeating appointments: 100,000 appointments of which 10,000 are series. The occurrence query over
// a month and a year, the index's first use and idle preparation, and the day view's date change
// in the main window.
void runOccurrencesBench();

class DateTime;
class PimDocument;

// The benchmark's appointment book: 100,000 appointments a year either side of today, 10,000 of
// them series of the kinds calendars hold.
void fillAppointments(PimDocument& document, const DateTime& today);
