#pragma once

#include <QWizardPage>

class QLineEdit;
class QPushButton;

namespace platform {
class PromptService;
}

namespace wizard {

class WizardFlow;

// Page 1: the file to import from or export to, typed or picked with "...".
class SelectDocumentPage : public QWizardPage {
    Q_OBJECT
public:
    SelectDocumentPage(WizardFlow& flow, platform::PromptService& prompts, QWidget* parent = nullptr);

    bool isComplete() const override;
    bool validatePage() override;

private:
    void browse();

    WizardFlow& m_flow;
    platform::PromptService& m_prompts;
    QLineEdit* m_fileName = nullptr;
    QPushButton* m_browse = nullptr;
};

} // namespace wizard
