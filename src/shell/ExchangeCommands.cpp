#include "ExchangeCommands.h"

#include "WaitCursor.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "exchange/CalendarExchange.h"
#include "exchange/RecordUid.h"
#include "exchange/VCardExchange.h"
#include "platform/PromptService.h"

#include <QFileInfo>

namespace {

constexpr int kListedSkips = 15; // a message box holds no more

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

struct FormatTexts {
    const char* title;
    const char* filter;
    const char* extension;
    const char* caption;
};

const FormatTexts& textsOf(ExchangeCommands::Format format) {
    static const FormatTexts contacts{"Contacts", "vCard Files (*.vcf)", "vcf", "Contacts (vCard)"};
    static const FormatTexts calendar{"Calendar", "iCalendar Files (*.ics)", "ics", "Calendar (iCalendar)"};
    return format == ExchangeCommands::Format::Contacts ? contacts : calendar;
}

platform::FileDialogRequest request(ExchangeCommands::Format format, bool importing, const QString& initialName) {
    const FormatTexts& texts = textsOf(format);
    platform::FileDialogRequest dialog;
    dialog.title = QStringLiteral("%1 %2").arg(importing ? QStringLiteral("Import") : QStringLiteral("Export"),
                                               QLatin1String(texts.title));
    dialog.initialName = initialName;
    dialog.filters = {QLatin1String(texts.filter), QStringLiteral("All Files (*.*)")};
    dialog.defaultExtension = QLatin1String(texts.extension);
    return dialog;
}

void showReport(platform::PromptService& prompts, const ExchangeReport& report, ExchangeCommands::Format format) {
    const QString caption = QLatin1String(textsOf(format).caption);
    if (report.Failed())
        prompts.message(report.error, caption, PromptButtons::Ok, PromptIcon::Exclamation);
    else
        prompts.message(report.Lines(kListedSkips).join(QLatin1Char('\n')), caption, PromptButtons::Ok,
                        PromptIcon::Information);
}

} // namespace

ExchangeCommands::ExchangeCommands(DocumentStorage& storage, platform::PromptService& prompts)
    : m_storage(storage), m_document(storage.Document()), m_prompts(prompts) {}

bool ExchangeCommands::FormatOf(const QString& path, Format& format) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard"))
        format = Format::Contacts;
    else if (suffix == QLatin1String("ics") || suffix == QLatin1String("ical"))
        format = Format::Calendar;
    else
        return false;
    return true;
}

void ExchangeCommands::Import(Format format) {
    if (const std::optional<QString> path = m_prompts.openFileName(request(format, true, QString())))
        importFile(format, *path);
}

void ExchangeCommands::Export(Format format) {
    const QString base = QFileInfo(m_storage.TitleName()).completeBaseName();
    const std::optional<QString> path = m_prompts.saveFileName(
        request(format, false, base + QLatin1Char('.') + QLatin1String(textsOf(format).extension)));
    if (!path)
        return;
    const ExchangeReport report = [&] {
        WaitCursor wait;
        // Exporting again gives each record the UID it had, so that the other program updates it.
        const QString key = recorduid::DocumentKey(m_storage.FileName());
        vcardexchange::ExportOptions contacts;
        contacts.documentKey = key;
        calendarexchange::ExportOptions calendar;
        calendar.documentKey = key;
        return format == Format::Contacts ? vcardexchange::ExportFile(m_document, *path, contacts)
                                          : calendarexchange::ExportFile(m_document, *path, calendar);
    }();
    if (report.Failed()) {
        showReport(m_prompts, report, format);
        return;
    }
    const char* what = format == Format::Contacts ? "persons" : "appointments and tasks";
    m_prompts.message(QStringLiteral("%1 %2 written to %3").arg(report.written).arg(QLatin1String(what), *path),
                      QLatin1String(textsOf(format).caption), PromptButtons::Ok, PromptIcon::Information);
}

bool ExchangeCommands::ImportDropped(const QStringList& paths) {
    bool any = false;
    for (const QString& path : paths) {
        Format format;
        if (!FormatOf(path, format))
            continue;
        any = true;
        const QString question = format == Format::Contacts
                                     ? QStringLiteral("Import the contacts in %1?")
                                     : QStringLiteral("Import the appointments and tasks in %1?");
        if (m_prompts.message(question.arg(QFileInfo(path).fileName()), QStringLiteral("Tavoro!"), PromptButtons::YesNo,
                              PromptIcon::Question) == PromptAnswer::Yes)
            importFile(format, path);
    }
    return any;
}

void ExchangeCommands::importFile(Format format, const QString& path) {
    const ExchangeReport report = [&] {
        WaitCursor wait; // a large file takes a moment
        return format == Format::Contacts
                   ? vcardexchange::ImportFile(m_document, path)
                   : calendarexchange::ImportFile(m_document, path, calendarexchange::DefaultImportOptions());
    }();
    showReport(m_prompts, report, format);
}
