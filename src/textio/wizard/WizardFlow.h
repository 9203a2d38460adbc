#pragma once

#include "ImportFieldRows.h"
#include "WizardTexts.h"

#include <functional>
#include <optional>
#include <vector>

class DelimitedTextSettings;

namespace wizard {

// What the wizard's pages decide, without their widgets: each page's Next or Finish either
// writes its part of the run's settings or gives the message to show while the page stays.
class WizardFlow {
public:
    using Check = std::optional<WizardMessage>;

    WizardFlow(DelimitedTextSettings& settings, bool importing) : m_settings(settings), m_importing(importing) {}

    DelimitedTextSettings& Settings() { return m_settings; }
    const DelimitedTextSettings& Settings() const { return m_settings; }
    bool Importing() const { return m_importing; }
    // The help page of the mode.
    QString HelpTopic() const;

    // Select Document, Next: the file to read or write. An import reads its first line here and
    // guesses its Separator from it.
    Check AcceptFile(const QString& fileName);
    // The position in the separator list that the file's first line suggests.
    int DetectedSeparator() const { return m_detectedSeparator; }
    // Document Structure, Next: list positions (-1 for none) and the header option.
    Check AcceptFormat(int separator, int encloser, bool firstLineHasNames);

    // Fields page shown (import): builds the rows, or builds them afresh when the file or the
    // characters changed since. True when the rows are new.
    bool PrepareRows();
    ImportFieldRows& Rows() { return m_rows; }
    const ImportFieldRows& Rows() const { return m_rows; }

    // Fields page, Finish: the import's assigned columns, or the export's ticked ones (one flag
    // per offered column, in their order).
    Check FinishImport();
    Check FinishExport(const std::vector<bool>& ticked);

    // What Finish does once the page accepted it: the import or export itself. Its message, if
    // any, is shown before the wizard closes; when it failed, the wizard stays open.
    struct Outcome {
        std::optional<WizardMessage> message;
        bool failed = false;
    };
    void SetTransfer(std::function<Outcome()> transfer) { m_transfer = std::move(transfer); }
    Outcome Transfer() const { return m_transfer ? m_transfer() : Outcome{}; }

private:
    DelimitedTextSettings& m_settings;
    bool m_importing;
    ImportFieldRows m_rows;
    int m_detectedSeparator = 0;
    std::function<Outcome()> m_transfer;
};

} // namespace wizard
