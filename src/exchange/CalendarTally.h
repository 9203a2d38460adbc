#pragma once

#include "PropertyTally.h"

#include <libical/ical.h>

// What a VEVENT or VTODO holds that no field here keeps, for the import's report.
namespace calendartally {

// Counts, by name, each property of the component that nothing is read from (LOCATION,
// DESCRIPTION, ATTENDEE, CATEGORIES, PERCENT-COMPLETE, ...), leaving out those that only describe
// the entry itself (UID, DTSTAMP, SEQUENCE, ...); lines libical could not read; and the alarms
// left out: a to-do's, and an event's after its first.
void AddUnkept(icalcomponent* component, PropertyTally& tally);

} // namespace calendartally
