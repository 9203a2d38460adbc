#include "FieldsPage.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

FieldsPage::FieldsPage(std::initializer_list<FieldLabel> fields, QWidget* parent)
    : QWidget(parent), m_form(new QFormLayout(this)) {
    for (const FieldLabel& field : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(field.field));
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
        {{"&First Name:", "FName"}, {"&Last Name:", "LName"}, {"&Company:", "Company"}, {"&Position:", "Position"}},
        parent);
}

FieldsPage* FieldsPage::Address(QWidget* parent) {
    return new FieldsPage(
        {{"&Address:", "Addr1"}, {"A&ddress:", "Addr2"}, {"&City:", "City"}, {"&State:", "State"}, {"&Zip:", "Zip"}},
        parent);
}

FieldsPage* FieldsPage::Phone(QWidget* parent) {
    return new FieldsPage({{"&Home Phone:", "HmPhone"},
                           {"&Work Phone:", "WkPhone"},
                           {"E&xt:", "WkExt"},
                           {"&Fax:", "Fax"},
                           {"&E-Mail:", "EMail"},
                           {"&Pager:", "Pager"},
                           {"&Cel Phone:", "CelPhone"},
                           {"Web &Page:", "WebPage"}},
                          parent);
}
