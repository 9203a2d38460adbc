#pragma once

#include "PersonDetails.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

// The selected person's phone numbers, e-mail address and web page beside the phone book. Every
// value but the fax number is a button that hands the value on (valueClicked).
class DetailPane : public QWidget {
    Q_OBJECT
public:
    explicit DetailPane(QWidget* parent = nullptr);

    void Show(const PersonDetails& details);
    // The value's widget: a button, or the label for the fax number.
    QWidget* ValueWidget(PersonDetails::Field field) const { return m_values[field]; }
    QString ValueText(PersonDetails::Field field) const;
    QList<QWidget*> Labels() const;

signals:
    void valueClicked(PersonDetails::Field field);

private:
    std::array<QWidget*, PersonDetails::FieldCount> m_values{};
    std::array<QLabel*, PersonDetails::FieldCount> m_labels{};
};
