#include "WizardFlow.h"

#include "FirstLineFile.h"
#include "FormatChoices.h"

#include "textio/DelimitedTextSettings.h"

namespace wizard {

namespace {

using platform::PromptIcon;

QString missingColumnsText(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return QStringLiteral("You must include a first name, last name, or company as a field to import.");
    case RecordKind::Task:
        return QStringLiteral("You must include a task as a field to import.");
    case RecordKind::Appointment:
        break;
    }
    return QStringLiteral("You must include an appointment, date, start time, and end time as fields to import.");
}

template <typename Choices> bool inRange(const Choices& choices, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < choices.size();
}

} // namespace

QString WizardFlow::HelpTopic() const {
    return QString::fromLatin1(m_importing ? kImportHelpTopic : kExportHelpTopic);
}

WizardFlow::Check WizardFlow::AcceptFile(const QString& fileName) {
    if (fileName.isEmpty())
        return WizardMessage{QStringLiteral("You must enter a file name"), QStringLiteral("Enter File Name"),
                             PromptIcon::Information};
    m_settings.FilePath = fileName;
    if (!m_importing)
        return std::nullopt;
    const FirstLineFile::FirstLine first = FirstLineFile::Read(fileName);
    // Never the line of a file chosen before.
    m_settings.FirstLine = first.text;
    if (first.failure != DelimitedTextReader::Failure::None)
        return WizardMessage{QStringLiteral("Unable to open file\n\n") + DescribeReadFailure(first.failure, fileName),
                             QStringLiteral("File Error"), PromptIcon::Information};
    m_detectedSeparator = FirstLineFile::DetectSeparator(first.text);
    return std::nullopt;
}

WizardFlow::Check WizardFlow::AcceptFormat(int separator, int encloser, bool firstLineHasNames) {
    if (!inRange(kSeparatorChoices, separator) || !inRange(kEncloserChoices, encloser))
        return WizardMessage{QStringLiteral("You must select both a character that encloses each text field and one "
                                            "that separates each field."),
                             QStringLiteral("Choose Formatting Characters"), PromptIcon::Information};
    m_settings.Separator = kSeparatorChoices[static_cast<std::size_t>(separator)].value;
    m_settings.Encloser = kEncloserChoices[static_cast<std::size_t>(encloser)].value;
    m_settings.FirstLineHasNames = firstLineHasNames;
    return std::nullopt;
}

bool WizardFlow::PrepareRows() {
    if (m_rows.IsCurrent(m_settings))
        return false;
    m_rows.Build(m_settings);
    return true;
}

WizardFlow::Check WizardFlow::FinishImport() {
    m_settings.SelectedFields = m_rows.SelectedFields();
    if (m_settings.HasRequiredFields())
        return std::nullopt;
    return WizardMessage{missingColumnsText(m_settings.Type), QStringLiteral("Import Error"), PromptIcon::Exclamation};
}

WizardFlow::Check WizardFlow::FinishExport(const std::vector<bool>& ticked) {
    m_settings.SelectedFields.clear();
    for (std::size_t i = 0; i < m_settings.AvailableFields.size() && i < ticked.size(); ++i)
        if (ticked[i])
            m_settings.SelectedFields.push_back(m_settings.AvailableFields[i]);
    if (!m_settings.SelectedFields.empty())
        return std::nullopt;
    return WizardMessage{QStringLiteral("You must select at least one field to export."),
                         QStringLiteral("Import Error"), PromptIcon::Exclamation};
}

} // namespace wizard
