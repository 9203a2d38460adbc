#pragma once

#include "textio/TextColumns.h"

class DayViewController;
class HelpViewer;
class PimDocument;
class QWidget;

namespace platform {
class PromptService;
}

// The six Import and Export commands of the File menu: each runs the wizard for its record type
// and direction and, on Finish, the import or export; an import then reports its count and the
// day view refills the list it added to.
class ImportExportCommands {
public:
    ImportExportCommands(PimDocument& document, platform::PromptService& prompts, HelpViewer& help,
                         DayViewController& view, QWidget* owner);

    void Run(RecordKind type, bool importing);

private:
    void refill(RecordKind type);

    PimDocument& m_document;
    platform::PromptService& m_prompts;
    HelpViewer& m_help;
    DayViewController& m_view;
    QWidget* m_owner;
};
