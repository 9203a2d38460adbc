#include "CliExchange.h"

#include "CliDocfile.h"
#include "CliStreamFile.h"
#include "CliTextio.h"
#include "CliUsage.h"
#include "StderrPromptService.h"

#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "exchange/CalendarExchange.h"
#include "exchange/VCardExchange.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFileInfo>

#include <cstdio>

namespace {

const char kImportVCard[] = "import vcard DOC FILE.vcf";
const char kExportVCard[] = "export vcard DOC OUT.vcf [--white] [--yellow] [--version 3.0|4.0]";
const char kImportICal[] = "import ical DOC FILE.ics [--from YYYY-MM-DD] [--to YYYY-MM-DD]";
const char kExportICal[] = "export ical DOC OUT.ics [--from YYYY-MM-DD] [--to YYYY-MM-DD]";

int fail(const QString& message) {
    std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(message));
    return 1;
}

void printReport(const ExchangeReport& report) {
    for (const QString& line : report.Lines())
        std::printf("%s\n", qPrintable(line));
}

// The words after the format: DOC and the file, and the options of the command.
struct Words {
    QCommandLineParser parser;
    QString document;
    QString file;
};

bool parse(const QStringList& args, const char* usage, const QList<QCommandLineOption>& options, Words& words) {
    words.parser.addOptions(options);
    const QString usageLine = QStringLiteral("usage: tavoro-cli ") + QLatin1String(usage);
    if (!words.parser.parse(QStringList{QStringLiteral("tavoro-cli")} + args.mid(1))) {
        fail(words.parser.errorText() + QLatin1Char('\n') + usageLine);
        return false;
    }
    const QStringList positional = words.parser.positionalArguments();
    if (positional.size() != 2) {
        fail(usageLine);
        return false;
    }
    words.document = positional.at(0);
    words.file = positional.at(1);
    return true;
}

bool readDay(const QCommandLineParser& parser, const QString& name, DateTime& day) {
    if (!parser.isSet(name))
        return true;
    const QDate date = QDate::fromString(parser.value(name), Qt::ISODate);
    day = date.isValid() ? DateTime(date.year(), date.month(), date.day(), 0, 0, 0) : DateTime();
    if (day.IsValid())
        return true;
    fail(QStringLiteral("--%1 wants YYYY-MM-DD").arg(name));
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
template <class Import> int importInto(const Words& words, Import&& import) {
    const CliInputFile input(words.file);
    if (!input.IsReady())
        return fail(QStringLiteral("cannot read standard input"));
    PimDocument document;
    if (documentInUse(words.document) || !loadDocument(document, words.document, true))
        return 1;
    const ExchangeReport report = import(document, input.Path());
    if (report.Failed())
        return fail(report.error);
    if (!DocumentStorage(document).Save(words.document))
        return fail(QStringLiteral("cannot write the document '%1'").arg(words.document));
    printReport(report);
    return 0;
}

int importVCard(const QStringList& args) {
    Words words;
    if (!parse(args, kImportVCard, {}, words))
        return kCliUsageError;
    return importInto(
        words, [](PimDocument& document, const QString& file) { return vcardexchange::ImportFile(document, file); });
}

int importICal(const QStringList& args) {
    Words words;
    if (!parse(args, kImportICal, kWindow, words))
        return kCliUsageError;
    calendarexchange::ImportOptions options = calendarexchange::DefaultImportOptions();
    options.windowAll = words.parser.isSet(QStringLiteral("from")) || words.parser.isSet(QStringLiteral("to"));
    if (!readDay(words.parser, QStringLiteral("from"), options.from) ||
        !readDay(words.parser, QStringLiteral("to"), options.to))
        return kCliUsageError;
    return importInto(words, [&](PimDocument& document, const QString& file) {
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
    return 0;
}

int exportVCard(const QStringList& args) {
    Words words;
    const QList<QCommandLineOption> options = {
        {QStringLiteral("white"), QStringLiteral("White Pages.")},
        {QStringLiteral("yellow"), QStringLiteral("Yellow Pages.")},
        {QStringLiteral("version"), QStringLiteral("3.0 or 4.0."), QStringLiteral("VERSION")},
    };
    if (!parse(args, kExportVCard, options, words))
        return kCliUsageError;
    vcardexchange::ExportOptions exportOptions;
    exportOptions.white = words.parser.isSet(QStringLiteral("white"));
    exportOptions.yellow = words.parser.isSet(QStringLiteral("yellow"));
    const QString version = words.parser.value(QStringLiteral("version"));
    if (version == QLatin1String("4.0"))
        exportOptions.version = VCardVersion::V40;
    else if (!version.isEmpty() && version != QLatin1String("3.0")) {
        fail(QStringLiteral("--version wants 3.0 or 4.0"));
        return kCliUsageError;
    }
    PimDocument document;
    if (!loadDocument(document, words.document, false))
        return 1;
    return exportTo(words.file, "persons",
                    [&](const QString& path) { return vcardexchange::ExportFile(document, path, exportOptions); });
}

int exportICal(const QStringList& args) {
    Words words;
    if (!parse(args, kExportICal, kWindow, words))
        return kCliUsageError;
    calendarexchange::ExportOptions options;
    if (!readDay(words.parser, QStringLiteral("from"), options.from) ||
        !readDay(words.parser, QStringLiteral("to"), options.to))
        return kCliUsageError;
    PimDocument document;
    if (!loadDocument(document, words.document, false))
        return 1;
    return exportTo(words.file, "appointments and tasks",
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
