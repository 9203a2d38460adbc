#pragma once

#include "TextFieldBinder.h"
#include "core/Person.h"

#include <QDialog>

class QCheckBox;
class QTabWidget;

// "Add Person" / "Edit Person": the pages "General", "Address", "Phone" and "Notes" over a copy of
// one person.
class PersonSheet : public QDialog {
    Q_OBJECT
public:
    PersonSheet(const Person& person, bool adding, QWidget* parent = nullptr);

    // The copy with the fields the user changed, and the display name made again.
    Person Result() const;

    QTabWidget* Pages() const { return m_pages; }

private:
    Person m_person;
    TextFieldBinder<Person> m_fields;
    QTabWidget* m_pages;
    QCheckBox* m_whitePages;
    QCheckBox* m_yellowPages;
};
