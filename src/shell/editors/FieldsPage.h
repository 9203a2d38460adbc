#pragma once

#include <QWidget>

#include <initializer_list>

class QFormLayout;
class QLineEdit;

// A label with its mnemonic, the record field its edit shows (the edit is named for the field) and
// the pop-up help F1 shows for it.
struct FieldLabel {
    const char* label;
    const char* field;
    const char* help;
};

// A sheet page of labelled one-line edits, in the order given (which is also the Tab order).
class FieldsPage : public QWidget {
    Q_OBJECT
public:
    FieldsPage(std::initializer_list<FieldLabel> fields, QWidget* parent = nullptr);

    QLineEdit* Edit(const char* field) const;
    QFormLayout* Form() const { return m_form; }

    // The pages the person and user sheets share and the person's phone page.
    static FieldsPage* General(QWidget* parent = nullptr);
    static FieldsPage* Address(QWidget* parent = nullptr);
    static FieldsPage* Phone(QWidget* parent = nullptr);

private:
    QFormLayout* m_form;
};
