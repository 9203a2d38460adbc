#include "DetailPane.h"

#include "ElidingButton.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

namespace {

const char* const kLabels[PersonDetails::FieldCount] = {
    "Home Phone:", "Work Phone:", "Pager:", "Fax:", "Cel Phone:", "E-Mail:", "Web Page:"};

} // namespace

DetailPane::DetailPane(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(1, 1);
    for (int f = 0; f < PersonDetails::FieldCount; ++f) {
        const auto field = static_cast<PersonDetails::Field>(f);
        auto* label = new QLabel(QString::fromLatin1(kLabels[f]), this);
        m_labels[f] = label;
        grid->addWidget(label, f, 0);
        if (field == PersonDetails::Fax) {
            auto* value = new QLabel(this);
            value->setTextFormat(Qt::PlainText); // a record's text is never markup
            value->setAlignment(Qt::AlignCenter);
            m_values[f] = value;
        } else {
            auto* button = new ElidingButton(this);
            button->setAutoDefault(false);
            button->setFocusPolicy(Qt::TabFocus);
            connect(button, &QPushButton::clicked, this, [this, field] { emit valueClicked(field); });
            m_values[f] = button;
        }
        m_values[f]->setObjectName(QStringLiteral("detail%1").arg(f));
        // A screen reader names the value by its label ("Home Phone") and reads the value after it.
        label->setBuddy(m_values[f]);
        m_values[f]->setAccessibleName(QString::fromLatin1(kLabels[f]).chopped(1));
        m_values[f]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        grid->addWidget(m_values[f], f, 1);
    }
    grid->setRowStretch(PersonDetails::FieldCount, 1); // a taller pane keeps its rows together at the top
    Show(PersonDetails::Of(nullptr));
}

void DetailPane::Show(const PersonDetails& details) {
    for (int f = 0; f < PersonDetails::FieldCount; ++f) {
        const PersonDetails::Value& value = details.values[static_cast<std::size_t>(f)];
        if (auto* button = qobject_cast<ElidingButton*>(m_values[f]))
            button->SetFullText(value.text);
        else if (auto* label = qobject_cast<QLabel*>(m_values[f]))
            label->setText(value.text);
        m_values[f]->setEnabled(value.enabled);
        m_values[f]->setAccessibleDescription(value.text);
        m_values[f]->setToolTip(value.enabled ? Qt::convertFromPlainText(value.text, Qt::WhiteSpaceNoWrap) : QString());
    }
}

QString DetailPane::ValueText(PersonDetails::Field field) const {
    if (auto* button = qobject_cast<ElidingButton*>(m_values[field]))
        return button->FullText();
    if (auto* label = qobject_cast<QLabel*>(m_values[field]))
        return label->text();
    return {};
}

QList<QWidget*> DetailPane::Labels() const {
    QList<QWidget*> labels;
    for (QLabel* label : m_labels)
        labels.append(label);
    return labels;
}
