#pragma once

#include <QWizardPage>

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;

namespace platform {
class PromptService;
}

namespace wizard {

class WizardFlow;

// Page 2: whether the first line holds the column names, the Separator and the Encloser, and (for
// an import) the file's first line to choose them by.
class DocumentStructurePage : public QWizardPage {
    Q_OBJECT
public:
    DocumentStructurePage(WizardFlow& flow, platform::PromptService& prompts, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;

private:
    WizardFlow& m_flow;
    platform::PromptService& m_prompts;
    QCheckBox* m_firstLineHasNames = nullptr;
    QListWidget* m_separators = nullptr;
    QListWidget* m_enclosers = nullptr;
    QGroupBox* m_firstLineGroup = nullptr;
    QPlainTextEdit* m_firstLine = nullptr;
    QString m_separatorGuessedFor; // the file whose Separator the list shows as guessed
};

} // namespace wizard
