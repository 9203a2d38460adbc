#include "ImportExportCommands.h"

#include "Artwork.h"
#include "DayViewController.h"
#include "HelpTopics.h"
#include "HelpViewer.h"

#include "WaitCursor.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/wizard/ImportExportWizard.h"
#include "textio/wizard/TransferCommand.h"
#include "textio/wizard/WizardFlow.h"

#include <QPointer>
#include <QTextBrowser>

namespace {

// The help window belongs to the main window, which a modal wizard blocks; while the wizard runs
// the window is the wizard's, so that it can be read and scrolled, and afterwards it goes back.
class HelpBesideWizard {
public:
    HelpBesideWizard(HelpViewer& help, QWidget* wizard, QWidget* owner)
        : m_help(help), m_wizard(wizard), m_owner(owner) {}
    ~HelpBesideWizard() {
        if (!m_window || m_window->parentWidget() != m_wizard)
            return;
        const bool visible = m_window->isVisible();
        m_window->setParent(m_owner, Qt::Window);
        m_window->setVisible(visible);
    }

    // The topic's page, at the paragraph of the control when helpId is not 0.
    void Show(const QString& topic, int helpId) {
        if (!m_help.ShowTopic(topic))
            return;
        QTextBrowser* browser = m_help.Browser();
        if (helpId != 0) {
            QUrl source = browser->source();
            source.setFragment(QString::number(helpId));
            browser->setSource(source);
        }
        m_window = browser->window();
        if (m_window->parentWidget() != m_wizard) {
            m_window->setParent(m_wizard, Qt::Window);
            m_window->show();
        }
    }

private:
    HelpViewer& m_help;
    QWidget* m_wizard;
    QWidget* m_owner;
    QPointer<QWidget> m_window;
};

} // namespace

ImportExportCommands::ImportExportCommands(PimDocument& document, platform::PromptService& prompts, HelpViewer& help,
                                           DayViewController& view, QWidget* owner)
    : m_document(document), m_prompts(prompts), m_help(help), m_view(view), m_owner(owner) {}

void ImportExportCommands::Run(RecordKind type, bool importing) {
    const wizard::TransferCommand& command = wizard::TransferCommand::For(type, importing);
    DelimitedTextSettings settings = command.Settings();
    wizard::WizardFlow flow(settings, importing);
    // Run on Finish, before the wizard closes, so that a file that cannot be written is reported
    // while the user can still choose another.
    flow.SetTransfer([&] {
        WaitCursor wait; // a large file takes a moment
        const wizard::TransferCommand::Result result = command.Run(m_document, settings);
        return wizard::WizardFlow::Outcome{result.message, result.failed};
    });
    wizard::ImportExportWizard dialog(flow, m_prompts, QString::fromLatin1(command.caption), Artwork::Logo(), m_owner);
    dialog.setProperty(HelpTopics::kHelpTopicProperty,
                       QString::fromLatin1(importing ? HelpTopics::DelimitedImport : HelpTopics::DelimitedExport));
    {
        HelpBesideWizard help(m_help, &dialog, m_owner);
        QObject::connect(&dialog, &wizard::ImportExportWizard::helpTopicRequested, &dialog,
                         [&help](const QString& topic, int helpId) { help.Show(topic, helpId); });
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    if (importing)
        refill(type);
}

void ImportExportCommands::refill(RecordKind type) {
    switch (type) {
    case RecordKind::Person:
        m_view.RefillPhoneBook();
        break;
    case RecordKind::Task:
        m_view.RefillTasks();
        break;
    case RecordKind::Appointment:
        m_view.RefillAppointments();
        break;
    }
}
