#include "FieldsPage.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

FieldsPage::FieldsPage(std::initializer_list<FieldLabel> fields, QWidget* parent)
    : QWidget(parent), m_form(new QFormLayout(this)) {
    for (const FieldLabel& field : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(field.field));
        edit->setWhatsThis(QString::fromUtf8(field.help));
        auto* label = new QLabel(QString::fromUtf8(field.label), this);
        label->setBuddy(edit);
        m_form->addRow(label, edit);
    }
}

QLineEdit* FieldsPage::Edit(const char* field) const {
    return findChild<QLineEdit*>(QString::fromLatin1(field));
}

FieldsPage* FieldsPage::General(QWidget* parent) {
    return new FieldsPage(
        {{"&First Name:", "FName", "The first name. The phone book lists each name last name first."},
         {"&Last Name:", "LName", "The last name. The phone book lists and sorts names by it, then by the first name."},
         {"Co&mpany:", "Company", "The company or organization. The phone book shows it beside the name."},
         {"&Position:", "Position", "The job title or position held at the company."}},
        parent);
}

FieldsPage* FieldsPage::Address(QWidget* parent) {
    return new FieldsPage(
        {{"&Address:", "Addr1", "The first line of the street address, as envelopes and the address book print it."},
         {"A&ddress:", "Addr2", "A second line of the address, when it needs one."},
         {"&City:", "City", "The city or town."},
         {"&State:", "State", "The state, province or region."},
         {"&Zip:", "Zip", "The ZIP or postal code."}},
        parent);
}

FieldsPage* FieldsPage::Phone(QWidget* parent) {
    return new FieldsPage(
        {{"&Home Phone:", "HmPhone", "The home phone number. Its button in the phone book's details dials it."},
         {"&Work Phone:", "WkPhone",
          "The work phone number, without the extension. Its button in the phone book's details dials it."},
         {"E&xt:", "WkExt", "The extension of the work phone. It is shown after the number but not dialled."},
         {"&Fax:", "Fax", "The fax number. The details show it; it is not dialled."},
         {"&E-Mail:", "EMail",
          "The e-mail address. Its button in the phone book's details starts a message to it in your mail program."},
         {"&Pager:", "Pager", "The pager number. Its button in the phone book's details dials it."},
         {"&Cel Phone:", "CelPhone", "The cellular phone number. Its button in the phone book's details dials it."},
         {"Web &Page:", "WebPage",
          "The web page address, without \"http://\". Its button in the phone book's details opens it in your web "
          "browser."}},
        parent);
}
