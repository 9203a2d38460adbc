#include "PersonSheet.h"
#include "shell/HelpTopics.h"

#include "EditorButtons.h"
#include "FieldsPage.h"
#include "platform/gui/QtPromptService.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A flag keeps its stored value unless the user changed the check box.
void storeFlag(int& flag, const QCheckBox* box) {
    if (box->isChecked() != (flag != 0))
        flag = box->isChecked() ? 1 : 0;
}

} // namespace

PersonSheet::PersonSheet(const Person& person, bool adding, QWidget* parent)
    : QDialog(parent), m_person(person), m_pages(new QTabWidget(this)) {
    setWindowTitle(adding ? QStringLiteral("Add Person") : QStringLiteral("Edit Person"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::PersonEditor));

    FieldsPage* general = FieldsPage::General();
    auto* addressBook = new QGroupBox(QStringLiteral("Address Book"), general);
    addressBook->setObjectName(QStringLiteral("AddressBook"));
    m_whitePages = new QCheckBox(QStringLiteral("&White Pages"), addressBook);
    m_whitePages->setObjectName(QStringLiteral("WhitePages"));
    m_yellowPages = new QCheckBox(QStringLiteral("&Yellow Pages"), addressBook);
    m_yellowPages->setObjectName(QStringLiteral("YellowPages"));
    m_whitePages->setWhatsThis(QStringLiteral("Tick to list this person in the White Pages, the phone book of "
                                              "private entries. A person can be in both books."));
    m_yellowPages->setWhatsThis(QStringLiteral("Tick to list this person in the Yellow Pages, the phone book of "
                                               "business entries. A person can be in both books."));
    auto* bookLayout = new QHBoxLayout(addressBook);
    bookLayout->addWidget(m_whitePages);
    bookLayout->addWidget(m_yellowPages);
    general->Form()->addRow(addressBook);

    FieldsPage* address = FieldsPage::Address();
    FieldsPage* phone = FieldsPage::Phone();
    auto* notes = new QPlainTextEdit;
    notes->setObjectName(QStringLiteral("Notes"));
    notes->setAccessibleName(QStringLiteral("Notes")); // its page's tab says so, but is not its label
    notes->setTabChangesFocus(true);
    notes->setWhatsThis(QStringLiteral("Notes about this person, on as many lines as you like."));

    // Every page's tab stays in sight; the sheet widens for them rather than scroll its tabs.
    m_pages->setUsesScrollButtons(false);
    m_pages->addTab(general, QStringLiteral("General"));
    m_pages->addTab(address, QStringLiteral("Address"));
    m_pages->addTab(phone, QStringLiteral("Phone"));
    m_pages->addTab(notes, QStringLiteral("Notes"));

    for (const auto& [field, member] : {std::pair{"FName", &Person::FName},
                                        {"LName", &Person::LName},
                                        {"Company", &Person::Company},
                                        {"Position", &Person::Position}})
        m_fields.Bind(general->Edit(field), member);
    for (const auto& [field, member] : {std::pair{"Addr1", &Person::Addr1},
                                        {"Addr2", &Person::Addr2},
                                        {"City", &Person::City},
                                        {"State", &Person::State},
                                        {"Zip", &Person::Zip}})
        m_fields.Bind(address->Edit(field), member);
    for (const auto& [field, member] : {std::pair{"HmPhone", &Person::HmPhone},
                                        {"WkPhone", &Person::WkPhone},
                                        {"WkExt", &Person::WkExt},
                                        {"Fax", &Person::Fax},
                                        {"EMail", &Person::EMail},
                                        {"Pager", &Person::Pager},
                                        {"CelPhone", &Person::CelPhone},
                                        {"WebPage", &Person::WebPage}})
        m_fields.Bind(phone->Edit(field), member);
    m_fields.Bind(notes, &Person::Notes);
    m_fields.Show(m_person);
    m_whitePages->setChecked(m_person.WhitePages != 0);
    m_yellowPages->setChecked(m_person.YellowPages != 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(CreateEditorButtons(this));
    // Typing starts in the first name, not on the tab bar.
    general->Edit("FName")->setFocus(Qt::OtherFocusReason);
}

void PersonSheet::accept() {
    if (!m_whitePages->isChecked() && !m_yellowPages->isChecked()) {
        platform::QtPromptService ownPrompts(this);
        platform::PromptService& prompts = m_prompts ? *m_prompts : ownPrompts;
        const platform::PromptAnswer answer = prompts.message(
            QStringLiteral("This person is in neither the White Pages nor the Yellow Pages, so the phone book will "
                           "not show the person.\n\nDo you want to put this person in the White Pages?"),
            windowTitle(), platform::PromptButtons::YesNoCancel, platform::PromptIcon::Question);
        if (answer == platform::PromptAnswer::Cancel)
            return;
        if (answer == platform::PromptAnswer::Yes)
            m_whitePages->setChecked(true);
    }
    QDialog::accept();
}

Person PersonSheet::Result() const {
    Person result = m_person;
    m_fields.Store(result);
    storeFlag(result.WhitePages, m_whitePages);
    storeFlag(result.YellowPages, m_yellowPages);
    result.RName = DisplayName(result);
    return result;
}
