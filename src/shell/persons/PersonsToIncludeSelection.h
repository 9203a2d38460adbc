#pragma once

#include "core/Person.h"
#include "core/RecordCollection.h"

#include <QString>

#include <vector>

// What the "Persons To Include" dialog shows and decides: the persons of the phone-book pages
// that are showing, one line each in alphabetical order, which lines are selected, whether the
// dialog may be confirmed, and how it was confirmed. The dialog only mirrors this object.
class PersonsToIncludeSelection {
public:
    // How the dialog was left with the chosen persons: plain OK only chooses the report; the
    // other two go on to preview or print it.
    enum class Action { Ok, Preview, Print };

    struct Line {
        QString text; // "Name (Company)", or the name alone when there is no company
        int id = 0;
    };

    // Persons on the white pages while those are shown, and those on the yellow pages while
    // those are; a person on both is listed once.
    PersonsToIncludeSelection(const RecordCollection<Person>& persons, bool whitePages, bool yellowPages);

    static QString LineText(const Person& person);

    const std::vector<Line>& Lines() const { return m_lines; }
    int Count() const { return static_cast<int>(m_lines.size()); }

    void SetSelected(int row, bool selected);
    void SetAllSelected(bool selected);
    bool IsSelected(int row) const;
    int SelectedCount() const { return m_selectedCount; }

    // OK, Preview and Print are available exactly while at least one line is selected.
    bool CanConfirm() const { return m_selectedCount > 0; }
    // False, and nothing remembered, while no line is selected.
    bool Confirm(Action action);
    Action ChosenAction() const { return m_action; }

    // The selected persons' IDs, ascending and without repeats.
    std::vector<int> ChosenIds() const;
    // Copies of the selected persons in ID order; IDs no longer in the collection are skipped.
    std::vector<Person> ChosenPersons(const RecordCollection<Person>& persons) const;

private:
    std::vector<Line> m_lines;
    std::vector<char> m_selected;
    int m_selectedCount = 0;
    Action m_action = Action::Ok;
};
