#pragma once

#include <QWizardPage>

class QTableWidget;
class QTreeWidget;

namespace platform {
class PromptService;
}

namespace wizard {

class WizardFlow;

// Page 3. Export: the offered columns to tick, with "Select all" and "Select none". Import: the
// fields of the file's first line, each with the column it feeds, chosen one row at a time in the
// "Fields" dialog, and a preview of the first data records under the columns they feed. Finish
// runs the import or export; a failure is shown while the page stays.
class FieldsPage : public QWizardPage {
    Q_OBJECT
public:
    FieldsPage(WizardFlow& flow, platform::PromptService& prompts, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;

    // Opens the "Fields" dialog for an import row (as a click on it does).
    void AssignRow(int row);

Q_SIGNALS:
    // F1 in the "Fields" dialog.
    void contextHelpRequested(int helpId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillExportRows();
    void fillImportRows();
    void showColumn(int row);
    void fillPreview();
    void tickAll(bool ticked);

    WizardFlow& m_flow;
    platform::PromptService& m_prompts;
    QTreeWidget* m_fields = nullptr;
    QTableWidget* m_preview = nullptr;
};

} // namespace wizard
