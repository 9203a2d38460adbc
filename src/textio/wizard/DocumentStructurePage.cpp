#include "DocumentStructurePage.h"

#include "ContextHelp.h"
#include "FormatChoices.h"
#include "WizardFlow.h"

#include "platform/TextCodec.h"
#include "textio/DelimitedTextSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace wizard {

namespace {

template <typename Choices> QListWidget* choiceList(const Choices& choices, const QString& name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const FormatChoice& choice : choices)
        list->addItem(QString::fromLatin1(choice.label));
    list->setCurrentRow(0);
    return list;
}

QGroupBox* group(const QString& title, QWidget* content, int helpId) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    ContextHelp::SetId(box, helpId);
    return box;
}

int selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

} // namespace

DocumentStructurePage::DocumentStructurePage(WizardFlow& flow, platform::PromptService& prompts, QWidget* parent)
    : QWizardPage(parent), m_flow(flow), m_prompts(prompts) {
    setObjectName(QStringLiteral("documentStructurePage"));
    m_firstLineHasNames = new QCheckBox(QStringLiteral("First line of document contains field names"));
    m_firstLineHasNames->setObjectName(QStringLiteral("firstLineHasNamesCheck"));
    m_firstLineHasNames->setChecked(true);
    m_separators = choiceList(kSeparatorChoices, QStringLiteral("separatorList"));
    m_enclosers = choiceList(kEncloserChoices, QStringLiteral("encloserList"));
    m_firstLine = new QPlainTextEdit;
    m_firstLine->setObjectName(QStringLiteral("firstLineEdit"));
    m_firstLine->setReadOnly(true);
    m_firstLine->setEnabled(false);
    m_firstLine->setMaximumHeight(m_firstLine->fontMetrics().lineSpacing() * 4);

    m_firstLineGroup = group(QStringLiteral("First line of document"), m_firstLine, HelpId::FirstLine);
    m_firstLineGroup->setObjectName(QStringLiteral("firstLineGroup"));

    auto* lists = new QGridLayout;
    lists->addWidget(group(QStringLiteral("Field Separator"), m_separators, HelpId::Separator), 0, 0);
    lists->addWidget(group(QStringLiteral("Field Encloser"), m_enclosers, HelpId::Encloser), 0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(QStringLiteral("Field Names"), m_firstLineHasNames, HelpId::FieldNames));
    layout->addLayout(lists, 1);
    layout->addWidget(m_firstLineGroup);
}

void DocumentStructurePage::initializePage() {
    // Shown again on every visit: page 1 may have chosen another file since.
    if (!m_flow.Importing()) {
        m_firstLineGroup->hide();
        return;
    }
    m_firstLine->setPlainText(platform::toQString(m_flow.Settings().FirstLine));
    // A new file brings its own guess; the user's choice for the same file stays.
    if (m_separatorGuessedFor != m_flow.Settings().FilePath) {
        m_separatorGuessedFor = m_flow.Settings().FilePath;
        m_separators->setCurrentRow(m_flow.DetectedSeparator());
    }
}

bool DocumentStructurePage::validatePage() {
    const WizardFlow::Check problem =
        m_flow.AcceptFormat(selectedRow(m_separators), selectedRow(m_enclosers), m_firstLineHasNames->isChecked());
    if (problem)
        ShowMessage(m_prompts, *problem);
    return !problem;
}

} // namespace wizard
