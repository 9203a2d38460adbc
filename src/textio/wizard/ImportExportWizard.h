#pragma once

#include <QWizard>

namespace platform {
class PromptService;
}

namespace wizard {

class DocumentStructurePage;
class FieldsPage;
class SelectDocumentPage;
class WizardFlow;

// The three-page wizard of every Import and Export command. It only shows the pages; what each
// page's Next and Finish decide is the flow's. Finish leaves the run's settings complete; Cancel
// leaves them unfinished and the caller does nothing with them.
class ImportExportWizard : public QWizard {
    Q_OBJECT
public:
    enum PageId { SelectDocument, DocumentStructure, Fields };

    // `caption` is the command's, shown until the first page sets its own.
    ImportExportWizard(WizardFlow& flow, platform::PromptService& prompts, const QString& caption, const QPixmap& logo,
                       QWidget* parent = nullptr);

    SelectDocumentPage* SelectPage() const { return m_select; }
    DocumentStructurePage* StructurePage() const { return m_structure; }
    FieldsPage* FieldPage() const { return m_fields; }

Q_SIGNALS:
    // The Help button (helpId 0) or F1 on a control (its paragraph of the topic).
    void helpTopicRequested(const QString& topic, int helpId);

private:
    void showPageCaption(int id);

    WizardFlow& m_flow;
    SelectDocumentPage* m_select = nullptr;
    DocumentStructurePage* m_structure = nullptr;
    FieldsPage* m_fields = nullptr;
};

} // namespace wizard
