#pragma once

#include "TextFieldBinder.h"
#include "core/User.h"

#include <QDialog>

class QTabWidget;

// "Edit User": the owner's name on "General" and address on "Address", over a copy.
class UserSheet : public QDialog {
    Q_OBJECT
public:
    explicit UserSheet(const User& user, QWidget* parent = nullptr);

    // The copy with the fields the user changed.
    User Result() const;

    QTabWidget* Pages() const { return m_pages; }

private:
    User m_user;
    TextFieldBinder<User> m_fields;
    QTabWidget* m_pages;
};
