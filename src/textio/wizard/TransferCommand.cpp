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
    {RecordType::Persons, false, "Export Person Information To Text File", nullptr, nullptr},
    {RecordType::Tasks, false, "Export Tasks To Text File", nullptr, nullptr},
    {RecordType::Appointments, false, "Export Appointments To Text File", nullptr, nullptr},
    {RecordType::Persons, true, "Import Person Information From Text File", "%1 names added to current database.",
     "Imported Names"},
    {RecordType::Tasks, true, "Import Tasks From Text File", "%1 tasks added to current database.", "Imported Tasks"},
    {RecordType::Appointments, true, "Import Appointments From Text File", "%1 appointments added to current database.",
     "Imported Appointments"},
}};

int recordCount(const PimRecords& records, RecordType type) {
    switch (type) {
    case RecordType::Persons:
        return static_cast<int>(records.Persons.Count());
    case RecordType::Tasks:
        return static_cast<int>(records.Tasks.Count());
    case RecordType::Appointments:
        break;
    }
    return static_cast<int>(records.Appointments.Count());
}

int runImport(RecordType type, PimDocument& document, const DelimitedTextSettings& settings, ImportReport& report) {
    switch (type) {
    case RecordType::Persons:
        return ImportPersons(document, settings, &report);
    case RecordType::Tasks:
        return ImportTasks(document, settings, &report);
    case RecordType::Appointments:
        break;
    }
    return ImportAppointments(document, settings, &report);
}

int runExport(RecordType type, const PimRecords& records, const DelimitedTextSettings& settings) {
    switch (type) {
    case RecordType::Persons:
        return ExportPersons(records, settings);
    case RecordType::Tasks:
        return ExportTasks(records, settings);
    case RecordType::Appointments:
        break;
    }
    return ExportAppointments(records, settings);
}

} // namespace

const TransferCommand& TransferCommand::For(RecordType type, bool importing) {
    for (const TransferCommand& command : kCommands)
        if (command.type == type && command.importing == importing)
            return command;
    return kCommands.front();
}

DelimitedTextSettings TransferCommand::Settings() const {
    return importing ? DelimitedTextSettings::ForImport(type) : DelimitedTextSettings::ForExport(type);
}

TransferCommand::Result TransferCommand::Run(PimDocument& document, const DelimitedTextSettings& settings) const {
    Result result;
    if (importing) {
        ImportReport report;
        result.count = runImport(type, document, settings, report);
        if (result.count == NoIdLeft) {
            result.count = 0;
            result.message = WizardMessage{QStringLiteral("No more records can be added: every ID is taken. "
                                                          "Nothing was imported."),
                                           QString::fromLatin1(resultCaption), platform::PromptIcon::Stop};
            return result;
        }
        QString text = QString::fromLatin1(resultText).arg(result.count);
        const QStringList details = DescribeImport(report, settings);
        if (!details.isEmpty())
            text += QStringLiteral("\n\n") + details.join(QLatin1Char('\n'));
        result.message = WizardMessage{text, QString::fromLatin1(resultCaption), platform::PromptIcon::Information};
        return result;
    }
    result.count = runExport(type, document.Records(), settings);
    // An export writes every record or nothing; it writes none only for an empty collection.
    result.failed = result.count == 0 && recordCount(document.Records(), type) > 0;
    if (result.failed)
        result.message =
            WizardMessage{QStringLiteral("Unable to write file %1").arg(QDir::toNativeSeparators(settings.FilePath)),
                          QStringLiteral("File Error"), platform::PromptIcon::Exclamation};
    return result;
}

} // namespace wizard
