#include "SelectDocumentPage.h"

#include "ContextHelp.h"
#include "WizardFlow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wizard {

SelectDocumentPage::SelectDocumentPage(WizardFlow& flow, platform::PromptService& prompts, QWidget* parent)
    : QWizardPage(parent), m_flow(flow), m_prompts(prompts) {
    setObjectName(QStringLiteral("selectDocumentPage"));
    auto* group = new QGroupBox(QStringLiteral("Select File"));
    m_fileName = new QLineEdit;
    m_fileName->setObjectName(QStringLiteral("fileNameEdit"));
    m_browse = new QPushButton(QStringLiteral("..."));
    m_browse->setObjectName(QStringLiteral("browseButton"));
    m_browse->setAutoDefault(false);

    auto* row = new QHBoxLayout(group);
    row->addWidget(m_fileName, 1);
    row->addWidget(m_browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();

    ContextHelp::SetId(group, HelpId::FileName);
    ContextHelp::SetId(m_fileName, HelpId::FileName);
    ContextHelp::SetId(m_browse, HelpId::Browse);

    connect(m_fileName, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
    connect(m_browse, &QPushButton::clicked, this, &SelectDocumentPage::browse);
}

bool SelectDocumentPage::isComplete() const {
    return !m_fileName->text().isEmpty();
}

void SelectDocumentPage::browse() {
    platform::FileDialogRequest request;
    request.initialName = m_fileName->text();
    request.filters = {QStringLiteral("Comma Separated files (*.csv)"), QStringLiteral("Text Files (*.txt)"),
                       QStringLiteral("All files (*)")};
    request.defaultExtension = QStringLiteral("csv");
    request.confirmOverwrite = true;
    std::optional<QString> chosen;
    if (m_flow.Importing()) {
        request.title = QStringLiteral("Open");
        chosen = m_prompts.openFileName(request);
    } else {
        request.title = QStringLiteral("Save As");
        chosen = m_prompts.saveFileName(request);
    }
    if (chosen)
        m_fileName->setText(*chosen);
}

bool SelectDocumentPage::validatePage() {
    if (const WizardFlow::Check problem = m_flow.AcceptFile(m_fileName->text())) {
        ShowMessage(m_prompts, *problem);
        return false;
    }
    return true;
}

} // namespace wizard
