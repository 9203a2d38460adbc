#include "ImportExportWizard.h"

#include "ContextHelp.h"
#include "DocumentStructurePage.h"
#include "FieldsPage.h"
#include "SelectDocumentPage.h"
#include "WizardFlow.h"

namespace wizard {

ImportExportWizard::ImportExportWizard(WizardFlow& flow, platform::PromptService& prompts, const QString& caption,
                                       const QPixmap& logo, QWidget* parent)
    : QWizard(parent), m_flow(flow) {
    setObjectName(QStringLiteral("importExportWizard"));
    setWindowTitle(caption);
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::HaveHelpButton);
    setPixmap(QWizard::WatermarkPixmap, logo);

    m_select = new SelectDocumentPage(flow, prompts);
    m_structure = new DocumentStructurePage(flow, prompts);
    m_fields = new FieldsPage(flow, prompts);
    setPage(SelectDocument, m_select);
    setPage(DocumentStructure, m_structure);
    setPage(Fields, m_fields);

    connect(this, &QWizard::currentIdChanged, this, &ImportExportWizard::showPageCaption);
    connect(this, &QWizard::helpRequested, this, [this] { Q_EMIT helpTopicRequested(m_flow.HelpTopic(), 0); });
    connect(m_fields, &FieldsPage::contextHelpRequested, this,
            [this](int id) { Q_EMIT helpTopicRequested(m_flow.HelpTopic(), id); });
    ContextHelp::InstallF1(this, [this](int id) { Q_EMIT helpTopicRequested(m_flow.HelpTopic(), id); });
}

void ImportExportWizard::showPageCaption(int id) {
    switch (id) {
    case SelectDocument:
        setWindowTitle(QString::fromLatin1(kSelectDocumentCaption));
        break;
    case DocumentStructure:
        setWindowTitle(QString::fromLatin1(kDocumentStructureCaption));
        break;
    case Fields:
        setWindowTitle(QString::fromLatin1(kFieldsCaption));
        break;
    default:
        break;
    }
}

} // namespace wizard
