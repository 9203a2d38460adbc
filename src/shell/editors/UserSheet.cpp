#include "UserSheet.h"
#include "shell/HelpTopics.h"

#include "EditorButtons.h"
#include "FieldsPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

UserSheet::UserSheet(const User& user, QWidget* parent) : QDialog(parent), m_user(user), m_pages(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("Edit User"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::UserEditor));

    FieldsPage* general = FieldsPage::General();
    FieldsPage* address = FieldsPage::Address();
    m_pages->addTab(general, QStringLiteral("General"));
    m_pages->addTab(address, QStringLiteral("Address"));

    for (const auto& [field, member] : {std::pair{"FName", &User::FName},
                                        {"LName", &User::LName},
                                        {"Company", &User::Company},
                                        {"Position", &User::Position}})
        m_fields.Bind(general->Edit(field), member);
    for (const auto& [field, member] : {std::pair{"Addr1", &User::Addr1},
                                        {"Addr2", &User::Addr2},
                                        {"City", &User::City},
                                        {"State", &User::State},
                                        {"Zip", &User::Zip}})
        m_fields.Bind(address->Edit(field), member);
    m_fields.Show(m_user);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(CreateEditorButtons(this));
}

User UserSheet::Result() const {
    User result = m_user;
    m_fields.Store(result);
    return result;
}
