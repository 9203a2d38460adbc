#pragma once

// Repeating appointments: 100,000 appointments of which 10,000 are series. The occurrence query over
// a month and a year, the index's first use and idle preparation, and the day view's date change
// in the main window.
void runOccurrencesBench();

class DateTime;
class PimDocument;

// The document those figures are taken on: 100,000 appointments a year either side of today, of
// which 10,000 are series of the kinds calendars hold.
void fillAppointments(PimDocument& document, const DateTime& today);
