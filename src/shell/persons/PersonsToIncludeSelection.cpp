#include "shell/persons/PersonsToIncludeSelection.h"

#include "platform/TextCodec.h"
#include "reports/AddressTexts.h"
#include "reports/PersonGathering.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>

PersonsToIncludeSelection::PersonsToIncludeSelection(const RecordCollection<Person>& persons, bool whitePages,
                                                     bool yellowPages) {
    std::vector<Line> lines;
    for (const auto& [id, person] : persons) {
        if (PersonGathering::IsListed(person, whitePages, yellowPages))
            lines.push_back({LineText(person), id});
    }
    // Alphabetical as the user reads it, letter case aside (folded first, since the C locale's
    // collation would put every capital first); ties by exact text, then by ID, so that the order
    // never depends on how the persons were stored.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(lines.size());
    for (const Line& line : lines)
        keys.push_back(collator.sortKey(line.text.toCaseFolded()));
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (const int c = keys[a].compare(keys[b]); c != 0)
            return c < 0;
        if (const int c = QString::compare(lines[a].text, lines[b].text); c != 0)
            return c < 0;
        return lines[a].id < lines[b].id;
    });
    m_lines.reserve(lines.size());
    for (std::size_t index : order)
        m_lines.push_back(std::move(lines[index]));
    m_selected.assign(m_lines.size(), 0);
}

QString PersonsToIncludeSelection::LineText(const Person& person) {
    const std::string text = person.Company.empty()
                                 ? ListedName(person)
                                 : platform::joinText({ListedName(person), " (", person.Company, ")"});
    return platform::toQString(address::Trim(text));
}

void PersonsToIncludeSelection::SetSelected(int row, bool selected) {
    if (row < 0 || row >= Count())
        return;
    char& flag = m_selected[static_cast<std::size_t>(row)];
    if (bool(flag) == selected)
        return;
    flag = selected ? 1 : 0;
    m_selectedCount += selected ? 1 : -1;
}

void PersonsToIncludeSelection::SetAllSelected(bool selected) {
    std::fill(m_selected.begin(), m_selected.end(), selected ? 1 : 0);
    m_selectedCount = selected ? Count() : 0;
}

bool PersonsToIncludeSelection::IsSelected(int row) const {
    return row >= 0 && row < Count() && m_selected[static_cast<std::size_t>(row)];
}

bool PersonsToIncludeSelection::Confirm(Action action) {
    if (!CanConfirm())
        return false;
    m_action = action;
    return true;
}

std::vector<int> PersonsToIncludeSelection::ChosenIds() const {
    std::vector<int> ids;
    ids.reserve(static_cast<std::size_t>(m_selectedCount));
    for (std::size_t row = 0; row < m_lines.size(); ++row)
        if (m_selected[row])
            ids.push_back(m_lines[row].id);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

std::vector<Person> PersonsToIncludeSelection::ChosenPersons(const RecordCollection<Person>& persons) const {
    std::vector<Person> chosen;
    for (int id : ChosenIds())
        if (const Person* person = persons.Find(id))
            chosen.push_back(*person);
    return chosen;
}
