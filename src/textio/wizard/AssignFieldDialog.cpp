#include "AssignFieldDialog.h"

#include "ContextHelp.h"
#include "WizardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wizard {

AssignFieldDialog::AssignFieldDialog(const std::vector<std::string>& names, int selected, bool importField,
                                     const QString& fileColumn, QWidget* parent)
    : QDialog(parent), m_selected(selected), m_importField(importField) {
    setObjectName(QStringLiteral("assignFieldDialog"));
    setWindowTitle(QStringLiteral("Fields"));

    auto* column = new QLabel(fileColumn);
    column->setObjectName(QStringLiteral("fileColumnLabel"));
    column->setTextFormat(Qt::PlainText);
    auto* label = new QLabel(QStringLiteral("Assign imported field to this field:"));
    m_names = new QComboBox;
    m_names->setObjectName(QStringLiteral("fieldCombo"));
    for (const std::string& name : names)
        m_names->addItem(QString::fromStdString(name));
    m_names->setCurrentIndex(selected >= 0 && selected < m_names->count() ? selected : -1);
    label->setBuddy(m_names);

    m_import = new QCheckBox(QStringLiteral("Import this field"));
    m_import->setObjectName(QStringLiteral("importFieldCheck"));
    m_import->setChecked(importField);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(column);
    layout->addWidget(label);
    layout->addWidget(m_names);
    layout->addWidget(m_import);
    layout->addWidget(buttons);

    ContextHelp::SetId(label, HelpId::AssignList);
    ContextHelp::SetId(m_names, HelpId::AssignList);
    ContextHelp::SetId(m_import, HelpId::ImportThisField);
    ContextHelp::InstallF1(this, [this](int id) { Q_EMIT contextHelpRequested(id); });

    connect(buttons, &QDialogButtonBox::accepted, this, &AssignFieldDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_names, &QComboBox::currentIndexChanged, this, &AssignFieldDialog::updateOk);
    // Choosing a field means importing into it.
    connect(m_names, &QComboBox::currentIndexChanged, m_import, [this] { m_import->setChecked(true); });
    updateOk();
}

void AssignFieldDialog::accept() {
    if (m_names->currentIndex() < 0)
        return;
    m_selected = m_names->currentIndex();
    m_importField = m_import->isChecked();
    QDialog::accept();
}

void AssignFieldDialog::updateOk() {
    m_ok->setEnabled(m_names->currentIndex() >= 0);
}

} // namespace wizard
