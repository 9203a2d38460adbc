#include "FieldsPage.h"

#include "AssignFieldDialog.h"
#include "ContextHelp.h"
#include "WizardFlow.h"

#include "platform/TextCodec.h"
#include "textio/DelimitedTextSettings.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace wizard {

FieldsPage::FieldsPage(WizardFlow& flow, platform::PromptService& prompts, QWidget* parent)
    : QWizardPage(parent), m_flow(flow), m_prompts(prompts) {
    setObjectName(QStringLiteral("fieldsPage"));
    m_fields = new QTreeWidget;
    m_fields->setObjectName(QStringLiteral("fieldList"));
    m_fields->setRootIsDecorated(false);
    m_fields->setUniformRowHeights(true);
    m_fields->setAllColumnsShowFocus(true);
    m_fields->setSelectionMode(QAbstractItemView::SingleSelection);
    m_fields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fields->header()->setSectionsMovable(false);
    m_fields->header()->setSectionResizeMode(QHeaderView::Stretch);

    auto* group = new QGroupBox(QStringLiteral("Available Fields"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_fields);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    ContextHelp::SetId(group, HelpId::FieldList);

    if (m_flow.Importing()) {
        connect(m_fields, &QTreeWidget::itemClicked, this,
                [this](QTreeWidgetItem* item) { AssignRow(m_fields->indexOfTopLevelItem(item)); });
        m_fields->installEventFilter(this);
    }
}

void FieldsPage::initializePage() {
    if (!m_flow.Importing()) {
        // Built once; the ticks stay while the user goes back and forth.
        if (m_fields->topLevelItemCount() == 0)
            fillExportRows();
        return;
    }
    // Rows from another file or other characters would feed the wrong columns: start over.
    if (m_flow.PrepareRows() || m_fields->topLevelItemCount() != m_flow.Rows().Count())
        fillImportRows();
}

void FieldsPage::fillExportRows() {
    const DelimitedTextSettings& settings = m_flow.Settings();
    m_fields->setColumnCount(1);
    m_fields->setHeaderLabels({QString::fromStdString(settings.RecordTypeName) + QStringLiteral(" Fields")});
    for (const std::string& name : settings.AvailableFields) {
        auto* item = new QTreeWidgetItem(m_fields, {QString::fromStdString(name)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
}

void FieldsPage::fillImportRows() {
    const DelimitedTextSettings& settings = m_flow.Settings();
    m_fields->clear();
    m_fields->setColumnCount(2);
    m_fields->setHeaderLabels(
        {QStringLiteral("Import Fields"), QString::fromStdString(settings.RecordTypeName) + QStringLiteral(" Fields")});
    const ImportFieldRows& rows = m_flow.Rows();
    for (int row = 0; row < rows.Count(); ++row)
        new QTreeWidgetItem(m_fields, {platform::toQString(rows.FieldText(row)), QString()});
    if (rows.Count() > 0)
        m_fields->setCurrentItem(m_fields->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
}

void FieldsPage::showColumn(int row) {
    if (QTreeWidgetItem* item = m_fields->topLevelItem(row))
        item->setText(1, QString::fromStdString(m_flow.Rows().Column(row)));
}

void FieldsPage::AssignRow(int row) {
    ImportFieldRows& rows = m_flow.Rows();
    if (row < 0 || row >= rows.Count())
        return;
    const std::vector<std::string>& names = m_flow.Settings().AvailableFields;
    const std::string& current = rows.Column(row);
    const auto found = std::find(names.begin(), names.end(), current);
    const int selected = current.empty() || found == names.end() ? -1 : static_cast<int>(found - names.begin());

    AssignFieldDialog dialog(names, selected, !current.empty(), this);
    connect(&dialog, &AssignFieldDialog::contextHelpRequested, this, &FieldsPage::contextHelpRequested);
    const int result = dialog.exec();
    // Without a window manager nobody gives the wizard its activation back, and its button
    // shortcuts (Alt+F) would stay dead.
    window()->activateWindow();
    if (result != QDialog::Accepted)
        return;
    if (!dialog.ImportField()) {
        rows.Unassign(row);
    } else {
        const int cleared = rows.Assign(row, names.at(static_cast<std::size_t>(dialog.Selected())));
        showColumn(cleared);
    }
    showColumn(row);
}

// Enter or Space on a row assigns it, as a click does.
bool FieldsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_fields && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            AssignRow(m_fields->indexOfTopLevelItem(m_fields->currentItem()));
            return true;
        }
    }
    return QWizardPage::eventFilter(watched, event);
}

bool FieldsPage::validatePage() {
    WizardFlow::Check problem;
    if (m_flow.Importing()) {
        problem = m_flow.FinishImport();
    } else {
        std::vector<bool> ticked;
        for (int row = 0; row < m_fields->topLevelItemCount(); ++row)
            ticked.push_back(m_fields->topLevelItem(row)->checkState(0) == Qt::Checked);
        problem = m_flow.FinishExport(ticked);
    }
    if (problem)
        ShowMessage(m_prompts, *problem);
    return !problem;
}

} // namespace wizard
