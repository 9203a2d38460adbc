#include "PersonSheet.h"
#include "shell/HelpTopics.h"

#include "BirthDateText.h"
#include "EditorButtons.h"
#include "FieldsPage.h"
#include "platform/gui/QtPromptService.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
    addDateField(general, QStringLiteral("&Birthday:"), "Birthday",
                 "The day of birth, such as 3/15/1990 in your date format, or the day and month alone when the year "
                 "is not known. The calendar, the plans and the agenda show it every year, with the age where the "
                 "year is known.",
                 &Person::Birthday, "birthday");
    addDateField(general, QStringLiteral("A&nniversary:"), "Anniversary",
                 "The wedding anniversary, with or without the year, shown every year like the birthday.",
                 &Person::Anniversary, "anniversary");
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

QLineEdit* PersonSheet::addDateField(QWidget* page, const QString& label, const char* field, const char* help,
                                     std::string Person::*member, const char* name) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QString::fromLatin1(field));
    edit->setWhatsThis(QString::fromUtf8(help));
    edit->setPlaceholderText(birthdatetext::Shown("1990-03-15") + QStringLiteral(" or ") +
                             birthdatetext::Shown("--03-15"));
    const QString shown = birthdatetext::Shown(m_person.*member);
    edit->setText(shown);
    auto* caption = new QLabel(label, page);
    caption->setBuddy(edit);
    static_cast<FieldsPage*>(page)->Form()->addRow(caption, edit);
    m_dates.push_back({edit, member, shown, name});
    return edit;
}

// Each date field that was changed reads as a date, or the user is told which one does not.
bool PersonSheet::datesRead() {
    for (const DateField& date : m_dates) {
        if (date.edit->text() == date.shown || birthdatetext::Read(date.edit->text()))
            continue;
        platform::QtPromptService ownPrompts(this);
        platform::PromptService& prompts = m_prompts ? *m_prompts : ownPrompts;
        prompts.message(QStringLiteral("The %1 \"%2\" is not a date.\n\nType a date such as %3, or the day and month "
                                       "alone, such as %4, when the year is not known.")
                            .arg(QLatin1String(date.name), date.edit->text(), birthdatetext::Shown("1990-03-15"),
                                 birthdatetext::Shown("--03-15")),
                        windowTitle(), platform::PromptButtons::Ok, platform::PromptIcon::Exclamation);
        m_pages->setCurrentIndex(0);
        date.edit->setFocus(Qt::OtherFocusReason);
        date.edit->selectAll();
        return false;
    }
    return true;
}

void PersonSheet::accept() {
    if (!datesRead())
        return;
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
    for (const DateField& date : m_dates)
        if (date.edit->text() != date.shown)
            result.*date.member = birthdatetext::Read(date.edit->text()).value_or(result.*date.member);
    result.RName = DisplayName(result);
    return result;
}
