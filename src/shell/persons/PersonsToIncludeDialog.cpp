#include "shell/persons/PersonsToIncludeDialog.h"
#include "shell/HelpTopics.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QWhatsThis>

PersonsToIncludeDialog::PersonsToIncludeDialog(PersonsToIncludeSelection& selection, QWidget* parent)
    : QDialog(parent), m_selection(selection) {
    setWindowTitle(QStringLiteral("Dialog"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopic));

    QStringList texts;
    texts.reserve(selection.Count());
    for (const PersonsToIncludeSelection::Line& line : selection.Lines())
        texts.append(line.text);
    auto* model = new QStringListModel(texts, this);

    m_list = new QListView;
    m_list->setObjectName(QStringLiteral("personList"));
    m_list->setModel(model);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);

    m_selectAll = new QCheckBox(QStringLiteral("Select All"));
    m_selectAll->setObjectName(QStringLiteral("selectAllCheck"));

    auto* group = new QGroupBox(QStringLiteral("Persons To Include"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_list);
    groupLayout->addWidget(m_selectAll);

    auto makeButton = [this](const QString& text, const QString& name) {
        auto* button = new QPushButton(text);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    m_ok = makeButton(QStringLiteral("OK"), QStringLiteral("okButton"));
    m_cancel = makeButton(QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
    m_help = makeButton(QStringLiteral("&Help..."), QStringLiteral("helpButton"));
    m_preview = makeButton(QStringLiteral("Pre&view..."), QStringLiteral("previewButton"));
    m_print = makeButton(QStringLiteral("&Print..."), QStringLiteral("printButton"));
    m_ok->setDefault(true);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_ok, m_cancel, m_help, m_preview, m_print})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);
    resize(320, 220);

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PersonsToIncludeDialog::onSelectionChanged);
    connect(m_selectAll, &QCheckBox::toggled, this, &PersonsToIncludeDialog::onSelectAll);
    connect(m_ok, &QPushButton::clicked, this, [this] { confirm(PersonsToIncludeSelection::Action::Ok); });
    connect(m_preview, &QPushButton::clicked, this, [this] { confirm(PersonsToIncludeSelection::Action::Preview); });
    connect(m_print, &QPushButton::clicked, this, [this] { confirm(PersonsToIncludeSelection::Action::Print); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_help, &QPushButton::clicked, this, [this] { Q_EMIT helpTopicRequested(QLatin1String(HelpTopic)); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &PersonsToIncludeDialog::requestContextHelp);

    updateButtons();
}

int PersonsToIncludeDialog::ContextHelpId(const QWidget* control) const {
    const std::pair<const QWidget*, int> ids[] = {
        {m_list, 1600}, {m_selectAll, 1005}, {m_ok, 1000},    {m_cancel, 1001},
        {m_help, 1002}, {m_preview, 1004},   {m_print, 1003},
    };
    for (const auto& [widget, id] : ids)
        if (widget == control)
            return id;
    return 0;
}

void PersonsToIncludeDialog::onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    for (const QItemSelectionRange& range : deselected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            m_selection.SetSelected(row, false);
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            m_selection.SetSelected(row, true);
    updateButtons();
}

void PersonsToIncludeDialog::onSelectAll(bool checked) {
    QItemSelectionModel* selectionModel = m_list->selectionModel();
    const int rows = m_list->model()->rowCount();
    if (checked && rows > 0)
        selectionModel->select(QItemSelection(m_list->model()->index(0, 0), m_list->model()->index(rows - 1, 0)),
                               QItemSelectionModel::Select);
    else if (!checked)
        selectionModel->clearSelection();
    m_selection.SetAllSelected(checked);
    updateButtons();
}

void PersonsToIncludeDialog::confirm(PersonsToIncludeSelection::Action action) {
    if (m_selection.Confirm(action))
        accept();
}

QString PersonsToIncludeDialog::PopupHelpText(int contextId) {
    switch (contextId) {
    case 1600:
        return QStringLiteral("Lists the people of the phone-book pages that are showing. Select the people to "
                              "print; hold down Ctrl or Shift to select more than one.");
    case 1005:
        return QStringLiteral("Selects every person in the list, or clears the selection again.");
    case 1000:
        return QStringLiteral("Chooses the report for the selected people. Print or preview it from the File menu.");
    case 1001:
        return QStringLiteral("Closes the dialog without choosing a report.");
    case 1002:
        return QStringLiteral("Shows help for this dialog.");
    case 1004:
        return QStringLiteral("Chooses the report for the selected people and shows it in print preview.");
    case 1003:
        return QStringLiteral("Chooses the report for the selected people and prints it.");
    default:
        return QString();
    }
}

void PersonsToIncludeDialog::requestContextHelp() {
    QWidget* control = focusWidget();
    const int id = ContextHelpId(control);
    if (!id)
        return;
    QWhatsThis::showText(control->mapToGlobal(QPoint(0, control->height())), PopupHelpText(id), control);
    Q_EMIT contextHelpRequested(id);
}

void PersonsToIncludeDialog::updateButtons() {
    const bool enabled = m_selection.CanConfirm();
    m_ok->setEnabled(enabled);
    m_preview->setEnabled(enabled);
    m_print->setEnabled(enabled);
}
