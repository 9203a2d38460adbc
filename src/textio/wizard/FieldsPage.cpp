#include "FieldsPage.h"

#include "AssignFieldDialog.h"
#include "ContextHelp.h"
#include "WizardFlow.h"

#include "platform/TextCodec.h"
#include "textio/DelimitedTextSettings.h"

#include "FirstLineFile.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace wizard {

namespace {
constexpr std::size_t kPreviewRows = 5;
}

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
    layout->addWidget(group, 1);
    ContextHelp::SetId(group, HelpId::FieldList);

    if (m_flow.Importing()) {
        connect(m_fields, &QTreeWidget::itemClicked, this,
                [this](QTreeWidgetItem* item) { AssignRow(m_fields->indexOfTopLevelItem(item)); });
        m_fields->installEventFilter(this);
        m_preview = new QTableWidget;
        m_preview->setObjectName(QStringLiteral("previewTable"));
        m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_preview->setSelectionMode(QAbstractItemView::NoSelection);
        m_preview->setFocusPolicy(Qt::NoFocus);
        m_preview->verticalHeader()->hide();
        auto* previewGroup = new QGroupBox(QStringLiteral("Preview"));
        auto* previewLayout = new QVBoxLayout(previewGroup);
        previewLayout->addWidget(m_preview);
        layout->addWidget(previewGroup, 1);
    } else {
        auto* all = new QPushButton(QStringLiteral("Select &all"));
        all->setObjectName(QStringLiteral("selectAllButton"));
        auto* none = new QPushButton(QStringLiteral("Select &none"));
        none->setObjectName(QStringLiteral("selectNoneButton"));
        for (QPushButton* button : {all, none})
            button->setAutoDefault(false);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(all);
        buttons->addWidget(none);
        buttons->addStretch();
        groupLayout->addLayout(buttons);
        connect(all, &QPushButton::clicked, this, [this] { tickAll(true); });
        connect(none, &QPushButton::clicked, this, [this] { tickAll(false); });
    }
}

void FieldsPage::tickAll(bool ticked) {
    for (int row = 0; row < m_fields->topLevelItemCount(); ++row)
        m_fields->topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
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
        new QTreeWidgetItem(m_fields,
                            {platform::toQString(rows.FieldText(row)), QString::fromStdString(rows.Column(row))});
    if (rows.Count() > 0)
        m_fields->setCurrentItem(m_fields->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    fillPreview();
}

// The first data records, one file column per table column, under the field each one feeds.
void FieldsPage::fillPreview() {
    const std::vector<std::vector<std::string>> records = FirstLineFile::DataRows(m_flow.Settings(), kPreviewRows);
    const ImportFieldRows& rows = m_flow.Rows();
    m_preview->clear();
    m_preview->setColumnCount(rows.Count());
    m_preview->setRowCount(static_cast<int>(records.size()));
    for (int column = 0; column < rows.Count(); ++column)
        showColumn(column);
    for (std::size_t r = 0; r < records.size(); ++r) {
        for (std::size_t c = 0; c < records[r].size() && c < static_cast<std::size_t>(rows.Count()); ++c)
            m_preview->setItem(static_cast<int>(r), static_cast<int>(c),
                               new QTableWidgetItem(platform::toQString(records[r][c])));
    }
}

void FieldsPage::showColumn(int row) {
    if (row < 0 || row >= m_flow.Rows().Count())
        return;
    const QString column = QString::fromStdString(m_flow.Rows().Column(row));
    if (QTreeWidgetItem* item = m_fields->topLevelItem(row))
        item->setText(1, column);
    if (m_preview && row < m_preview->columnCount()) {
        auto* header = new QTableWidgetItem(column.isEmpty() ? QStringLiteral("(not imported)") : column);
        header->setForeground(column.isEmpty() ? palette().color(QPalette::Disabled, QPalette::Text)
                                               : palette().color(QPalette::Text));
        m_preview->setHorizontalHeaderItem(row, header);
    }
}

void FieldsPage::AssignRow(int row) {
    ImportFieldRows& rows = m_flow.Rows();
    if (row < 0 || row >= rows.Count())
        return;
    const std::vector<std::string>& names = m_flow.Settings().AvailableFields;
    const std::string& current = rows.Column(row);
    const auto found = std::find(names.begin(), names.end(), current);
    const int selected = current.empty() || found == names.end() ? -1 : static_cast<int>(found - names.begin());

    const QString fileColumn =
        QStringLiteral("Field %1 of the file: %2").arg(row + 1).arg(platform::toQString(rows.FieldText(row)));
    AssignFieldDialog dialog(names, selected, !current.empty(), fileColumn, this);
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
    if (problem) {
        ShowMessage(m_prompts, *problem);
        return false;
    }
    const WizardFlow::Outcome outcome = m_flow.Transfer();
    if (outcome.message)
        ShowMessage(m_prompts, *outcome.message);
    return !outcome.failed;
}

} // namespace wizard
