#include "reports/PersonGathering.h"

#include <utility>

namespace PersonGathering {

bool IsListed(const Person& person, bool whitePages, bool yellowPages) {
    return (whitePages && person.WhitePages) || (yellowPages && person.YellowPages);
}

std::vector<Person> Listed(const RecordCollection<Person>& persons, bool whitePages, bool yellowPages) {
    std::vector<Person> listed;
    for (const auto& [id, person] : persons)
        if (IsListed(person, whitePages, yellowPages))
            listed.push_back(person);
    return listed;
}

void Choose(ReportSelection& selection, ReportKind kind, std::vector<Person> chosen, bool whitePages,
            bool yellowPages) {
    if (kind == ReportKind::AddressBook)
        selection.AddressBookPersons = std::move(chosen);
    else if (kind == ReportKind::Envelopes)
        selection.EnvelopePersons = std::move(chosen);
    else
        return;
    selection.Kind = kind;
    selection.WhitePages = whitePages;
    selection.YellowPages = yellowPages;
}

} // namespace PersonGathering
