#include "CliExchange.h"

#include "CliArguments.h"
#include "CliDocfile.h"
#include "CliStreamFile.h"
#include "CliTextio.h"
#include "StderrPromptService.h"

#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "exchange/CalendarExchange.h"
#include "exchange/VCardExchange.h"

#include <QDate>
#include <QFileInfo>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(message));
    return kCliFailure;
}

void printReport(const ExchangeReport& report) {
    for (const QString& line : report.Lines())
        std::printf("%s\n", qPrintable(line));
}

// The words after the command's name are the format, DOC and the file.
constexpr qsizetype kWords = 3;

bool readDay(const CliArguments& arguments, const QString& name, DateTime& day) {
    if (!arguments.IsSet(name))
        return true;
    const QDate date = QDate::fromString(arguments.Value(name), Qt::ISODate);
    day = date.isValid() ? DateTime(date.year(), date.month(), date.day(), 0, 0, 0) : DateTime();
    if (day.IsValid())
        return true;
    arguments.Refuse(QStringLiteral("--%1 wants YYYY-MM-DD").arg(name));
    return false;
}

const QList<QCommandLineOption> kWindow = {
    {QStringLiteral("from"), QStringLiteral("First day."), QStringLiteral("DATE")},
    {QStringLiteral("to"), QStringLiteral("Last day."), QStringLiteral("DATE")},
};

bool loadDocument(PimDocument& document, const QString& path, bool mayBeNew) {
    if (mayBeNew && !QFileInfo::exists(path))
        return true;
    StderrPromptService prompt;
    if (DocumentStorage(document).ReadFromFile(path, prompt))
        return true;
    fail(QStringLiteral("cannot read the document '%1'").arg(path));
    return false;
}

// Adds what the import found to DOC (created when it does not exist) and saves it.
template <class Import> int importInto(const CliArguments& arguments, Import&& import) {
    const QString& path = arguments.Word(1);
    const CliInputFile input(arguments.Word(2));
    if (!input.IsReady())
        return fail(QStringLiteral("cannot read standard input"));
    PimDocument document;
    const std::unique_ptr<DocumentLock> lock = lockForWriting(path);
    if (!lock || !loadDocument(document, path, true))
        return kCliFailure;
    const ExchangeReport report = import(document, input.Path());
    if (report.Failed())
        return fail(report.error);
    if (!DocumentStorage(document).Save(path))
        return fail(QStringLiteral("cannot write the document '%1'").arg(path));
    printReport(report);
    return kCliSuccess;
}

int importVCard(const QStringList& args) {
    CliArguments arguments(kImportVCardUsage);
    if (!arguments.Parse(args, kWords))
        return kCliUsageError;
    return importInto(arguments, [](PimDocument& document, const QString& file) {
        return vcardexchange::ImportFile(document, file);
    });
}

int importICal(const QStringList& args) {
    CliArguments arguments(kImportICalUsage, kWindow);
    if (!arguments.Parse(args, kWords))
        return kCliUsageError;
    calendarexchange::ImportOptions options = calendarexchange::DefaultImportOptions();
    options.windowAll = arguments.IsSet(QStringLiteral("from")) || arguments.IsSet(QStringLiteral("to"));
    if (!readDay(arguments, QStringLiteral("from"), options.from) ||
        !readDay(arguments, QStringLiteral("to"), options.to))
        return kCliUsageError;
    return importInto(arguments, [&](PimDocument& document, const QString& file) {
        return calendarexchange::ImportFile(document, file, options);
    });
}

// Writes through output, which stands for standard output when the file is "-"; the count then
// goes to standard error so that the output is the data alone.
template <class Export> int exportTo(const QString& file, const char* what, Export&& write) {
    CliOutputFile output(file);
    if (output.Path().isEmpty())
        return fail(QStringLiteral("cannot write standard output"));
    const ExchangeReport report = write(output.Path());
    if (report.Failed())
        return fail(report.error);
    if (!output.Finish())
        return fail(QStringLiteral("cannot write standard output"));
    std::fprintf(output.IsStandardOutput() ? stderr : stdout, "%d %s written to %s\n", report.written, what,
                 qPrintable(file));
    return kCliSuccess;
}

int exportVCard(const QStringList& args) {
    CliArguments arguments(kExportVCardUsage,
                           {
                               {QStringLiteral("white"), QStringLiteral("White Pages.")},
                               {QStringLiteral("yellow"), QStringLiteral("Yellow Pages.")},
                               {QStringLiteral("version"), QStringLiteral("3.0 or 4.0."), QStringLiteral("VERSION")},
                           });
    if (!arguments.Parse(args, kWords))
        return kCliUsageError;
    vcardexchange::ExportOptions exportOptions;
    exportOptions.white = arguments.IsSet(QStringLiteral("white"));
    exportOptions.yellow = arguments.IsSet(QStringLiteral("yellow"));
    const QString version = arguments.Value(QStringLiteral("version"));
    if (version == QLatin1String("4.0"))
        exportOptions.version = VCardVersion::V40;
    else if (!version.isEmpty() && version != QLatin1String("3.0"))
        return arguments.Refuse(QStringLiteral("--version wants 3.0 or 4.0"));
    PimDocument document;
    if (!loadDocument(document, arguments.Word(1), false))
        return kCliFailure;
    return exportTo(arguments.Word(2), "persons",
                    [&](const QString& path) { return vcardexchange::ExportFile(document, path, exportOptions); });
}

int exportICal(const QStringList& args) {
    CliArguments arguments(kExportICalUsage, kWindow);
    if (!arguments.Parse(args, kWords))
        return kCliUsageError;
    calendarexchange::ExportOptions options;
    if (!readDay(arguments, QStringLiteral("from"), options.from) ||
        !readDay(arguments, QStringLiteral("to"), options.to))
        return kCliUsageError;
    PimDocument document;
    if (!loadDocument(document, arguments.Word(1), false))
        return kCliFailure;
    return exportTo(arguments.Word(2), "appointments and tasks",
                    [&](const QString& path) { return calendarexchange::ExportFile(document, path, options); });
}

} // namespace

int runImportCommand(const QStringList& args) {
    const QString format = args.value(0);
    if (format == QLatin1String("vcard"))
        return importVCard(args);
    if (format == QLatin1String("ical"))
        return importICal(args);
    return runImport(args);
}

int runExportCommand(const QStringList& args) {
    const QString format = args.value(0);
    if (format == QLatin1String("vcard"))
        return exportVCard(args);
    if (format == QLatin1String("ical"))
        return exportICal(args);
    return runExport(args);
}
