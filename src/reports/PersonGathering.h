#pragma once

#include "core/Person.h"
#include "core/RecordCollection.h"
#include "reports/ReportSelection.h"

#include <vector>

// The persons the address book and the envelopes are printed for.
namespace PersonGathering {

// Whether the phone book lists the person while the white pages, the yellow pages or both show.
bool IsListed(const Person& person, bool whitePages, bool yellowPages);
// Every listed person, in ID order.
std::vector<Person> Listed(const RecordCollection<Person>& persons, bool whitePages, bool yellowPages);

// "&Phone Book..." and "&Envelopes..." once the persons are chosen: sets the kind, replaces that
// kind's persons and records which pages showed (the envelopes print companies for the yellow
// pages). Other kinds leave the selection alone.
void Choose(ReportSelection& selection, ReportKind kind, std::vector<Person> chosen, bool whitePages, bool yellowPages);

} // namespace PersonGathering
