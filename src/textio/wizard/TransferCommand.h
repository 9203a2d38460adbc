#pragma once

#include "WizardTexts.h"

#include "textio/TextColumns.h"

#include <optional>

class DelimitedTextSettings;
class PimDocument;

namespace wizard {

// One of the six Import and Export commands: the record kind, the direction, the wizard's
// caption and, for an import, the message that reports the count.
struct TransferCommand {
    RecordKind kind;
    bool importing;
    const char* caption;
    const char* resultText; // "%1" takes the count
    const char* resultCaption;

    static const TransferCommand& For(RecordKind kind, bool importing);

    // The settings the command hands to the wizard: the offered and required columns of its kind
    // and as many empty selections as offered columns; everything else is still to be chosen.
    DelimitedTextSettings Settings() const;

    struct Result {
        int count = 0;
        std::optional<WizardMessage> message;
        bool failed = false; // an export that could not write its file
    };
    // Runs the import or export the wizard was finished for. An import reports its count (0 too)
    // and what it skipped; an export that could not write its file says so (the file then is as
    // it was).
    Result Run(PimDocument& document, const DelimitedTextSettings& settings) const;
};

} // namespace wizard
