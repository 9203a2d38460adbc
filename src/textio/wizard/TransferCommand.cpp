#include "TransferCommand.h"

#include "docfile/PimDocument.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/ImportReport.h"

#include <QDir>

#include <array>

namespace wizard {

namespace {

constexpr std::array<TransferCommand, 6> kCommands = {{
    {RecordKind::Person, false, "Export Person Information To Text File", nullptr, nullptr},
    {RecordKind::Task, false, "Export Tasks To Text File", nullptr, nullptr},
    {RecordKind::Appointment, false, "Export Appointments To Text File", nullptr, nullptr},
    {RecordKind::Person, true, "Import Person Information From Text File", "%1 names added to current database.",
     "Imported Names"},
    {RecordKind::Task, true, "Import Tasks From Text File", "%1 tasks added to current database.", "Imported Tasks"},
    {RecordKind::Appointment, true, "Import Appointments From Text File", "%1 appointments added to current database.",
     "Imported Appointments"},
}};

} // namespace

const TransferCommand& TransferCommand::For(RecordKind kind, bool importing) {
    for (const TransferCommand& command : kCommands)
        if (command.kind == kind && command.importing == importing)
            return command;
    return kCommands.front();
}

DelimitedTextSettings TransferCommand::Settings() const {
    return importing ? DelimitedTextSettings::ForImport(kind) : DelimitedTextSettings::ForExport(kind);
}

TransferCommand::Result TransferCommand::Run(PimDocument& document, const DelimitedTextSettings& settings) const {
    Result result;
    if (importing) {
        ImportReport report;
        const std::optional<int> added = ImportRecords(document, settings, &report);
        if (!added) {
            result.message = WizardMessage{QString::fromLatin1(kNoIdLeft) + QStringLiteral(" Nothing was imported."),
                                           QString::fromLatin1(resultCaption), platform::PromptIcon::Stop};
            return result;
        }
        result.count = *added;
        QString text = QString::fromLatin1(resultText).arg(result.count);
        const QStringList details = DescribeImport(report, settings);
        if (!details.isEmpty())
            text += QStringLiteral("\n\n") + details.join(QLatin1Char('\n'));
        result.message = WizardMessage{text, QString::fromLatin1(resultCaption), platform::PromptIcon::Information};
        return result;
    }
    result.count = ExportRecords(document.Records(), settings);
    // An export writes every record or nothing; it writes none only for an empty collection.
    result.failed = result.count == 0 && RecordCount(document.Records(), kind) > 0;
    if (result.failed)
        result.message =
            WizardMessage{QStringLiteral("Unable to write file %1").arg(QDir::toNativeSeparators(settings.FilePath)),
                          QStringLiteral("File Error"), platform::PromptIcon::Exclamation};
    return result;
}

} // namespace wizard
