#pragma once

#include "TextFieldBinder.h"
#include "core/Person.h"

#include <QDialog>

#include <vector>

namespace platform {
class PromptService;
}

class QCheckBox;
class QLineEdit;
class QTabWidget;

// "Add Person" / "Edit Person": the pages "General" (with the birthday and anniversary), "Address",
// "Phone" and "Notes" over a copy of one person.
class PersonSheet : public QDialog {
    Q_OBJECT
public:
    PersonSheet(const Person& person, bool adding, QWidget* parent = nullptr);

    // The copy with the fields the user changed, and the display name made again.
    Person Result() const;

    QTabWidget* Pages() const { return m_pages; }
    // Who answers the question about a person in neither book; without one a message box asks.
    void SetPromptService(platform::PromptService* prompts) { m_prompts = prompts; }

    // "&Ok": a birthday or anniversary that reads as no date is pointed out and the sheet stays;
    // a person ticked in neither book would be listed nowhere, so the user is asked first
    // whether to put the person in the White Pages (Cancel returns to the sheet).
    void accept() override;

private:
    // A date field: what it showed when the sheet opened, so that an untouched one keeps its bytes.
    struct DateField {
        QLineEdit* edit = nullptr;
        std::string Person::*member = nullptr;
        QString shown;
        const char* name = nullptr;
    };
    QLineEdit* addDateField(QWidget* page, const QString& label, const char* field, const char* help,
                            std::string Person::*member, const char* name);
    bool datesRead();

    Person m_person;
    TextFieldBinder<Person> m_fields;
    QTabWidget* m_pages;
    QCheckBox* m_whitePages;
    QCheckBox* m_yellowPages;
    std::vector<DateField> m_dates;
    platform::PromptService* m_prompts = nullptr;
};
