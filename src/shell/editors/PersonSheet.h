#pragma once

#include "TextFieldBinder.h"
#include "core/Person.h"

#include <QDialog>

namespace platform {
class PromptService;
}

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
    // Who answers the question about a person in neither book; without one a message box asks.
    void SetPromptService(platform::PromptService* prompts) { m_prompts = prompts; }

    // "&Ok": a person ticked in neither book would be listed nowhere, so the user is asked first
    // whether to put the person in the White Pages (Cancel returns to the sheet).
    void accept() override;

private:
    Person m_person;
    TextFieldBinder<Person> m_fields;
    QTabWidget* m_pages;
    QCheckBox* m_whitePages;
    QCheckBox* m_yellowPages;
    platform::PromptService* m_prompts = nullptr;
};
