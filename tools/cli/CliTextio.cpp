#include "CliTextio.h"

#include "CliDocfile.h"
#include "CliStreamFile.h"
#include "CliUsage.h"
#include "StderrPromptService.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/ImportReport.h"
#include "textio/RecordReader.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

const char kExportUsage[] = "export persons|tasks|appointments DOC OUT.csv|- [--separator C|tab] [--encloser C|none] "
                            "[--no-header] [--columns NAME,...] [--bom]";
const char kImportUsage[] = "import persons|tasks|appointments DOC IN.csv|- [--separator C|tab] [--encloser C|none] "
                            "[--no-header] [--columns NAME,...]";

struct Operations {
    RecordType type;
    const char* name;
    int (*exportRecords)(const PimRecords&, const DelimitedTextSettings&);
    int (*importRecords)(PimDocument&, const DelimitedTextSettings&, ImportReport*);
    std::size_t (*count)(const PimRecords&);
};

const Operations kOperations[] = {
    {RecordType::Persons, "persons", ExportPersons, ImportPersons,
     [](const PimRecords& r) { return r.Persons.Count(); }},
    {RecordType::Tasks, "tasks", ExportTasks, ImportTasks, [](const PimRecords& r) { return r.Tasks.Count(); }},
    {RecordType::Appointments, "appointments", ExportAppointments, ImportAppointments,
     [](const PimRecords& r) { return r.Appointments.Count(); }},
};

bool fail(const QString& message) {
    std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(message));
    return false;
}

// The command's words after its name: the record type, DOC, the text file and the format options.
struct Invocation {
    const Operations* operations = nullptr;
    QString document;
    QString textFile;
    DelimitedTextSettings settings;
    std::optional<QStringList> columns;
};

// One plain character: line breaks end records and cannot stand between fields.
bool readCharacter(const QString& value, const QString& what, std::string& out) {
    const QByteArray bytes = value.toUtf8();
    if (bytes.size() != 1 || bytes.at(0) == '\r' || bytes.at(0) == '\n' || bytes.at(0) == '\0')
        return fail(what.arg(value));
    out.assign(1, bytes.at(0));
    return true;
}

bool readFormat(const QCommandLineParser& parser, DelimitedTextSettings& settings) {
    if (parser.isSet(QStringLiteral("separator"))) {
        const QString value = parser.value(QStringLiteral("separator"));
        if (value == QLatin1String("tab"))
            settings.Separator.assign(1, '\t');
        else if (!readCharacter(value, QStringLiteral("the separator must be one plain character or 'tab', not '%1'"),
                                settings.Separator))
            return false;
    }
    if (parser.isSet(QStringLiteral("encloser"))) {
        const QString value = parser.value(QStringLiteral("encloser"));
        if (value == QLatin1String("none"))
            settings.Encloser.clear();
        else if (!readCharacter(value, QStringLiteral("the encloser must be one plain character or 'none', not '%1'"),
                                settings.Encloser))
            return false;
        // Blanks around an enclosed field are ignored, so a blank cannot enclose one.
        if (value.size() == 1 && value.at(0).isSpace())
            return fail(QStringLiteral("the encloser cannot be white space"));
    }
    if (settings.Encloser == settings.Separator)
        return fail(QStringLiteral("the encloser and the separator must differ"));
    settings.FirstLineHasNames = !parser.isSet(QStringLiteral("no-header"));
    settings.ByteOrderMark = !settings.Importing && parser.isSet(QStringLiteral("bom"));
    return true;
}

// The offered column of that name in any letter case; an empty name stays empty (a skipped column).
bool canonicalColumns(const QStringList& names, const std::vector<std::string>& offered,
                      std::vector<std::string>& out) {
    out.clear();
    for (const QString& name : names) {
        const QString trimmed = name.trimmed();
        std::string column;
        for (const std::string& candidate : offered) {
            if (trimmed.compare(QString::fromStdString(candidate), Qt::CaseInsensitive) == 0)
                column = candidate;
        }
        if (column.empty() && !trimmed.isEmpty())
            return fail(QStringLiteral("no column is called '%1'").arg(trimmed));
        out.push_back(column);
    }
    return true;
}

bool parse(const QStringList& args, bool importing, Invocation& invocation) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("separator"), QStringLiteral("Field separator."), QStringLiteral("C")});
    parser.addOption({QStringLiteral("encloser"), QStringLiteral("Field encloser."), QStringLiteral("C")});
    parser.addOption({QStringLiteral("no-header"), QStringLiteral("No header line.")});
    parser.addOption({QStringLiteral("columns"), QStringLiteral("Columns."), QStringLiteral("NAMES")});
    if (!importing)
        parser.addOption({QStringLiteral("bom"), QStringLiteral("Start with the UTF-8 byte-order mark.")});
    const char* usage = importing ? kImportUsage : kExportUsage;
    const QString usageLine = QStringLiteral("usage: tavoro-cli ") + QLatin1String(usage);
    if (!parser.parse(QStringList{QStringLiteral("tavoro-cli")} + args))
        return fail(parser.errorText() + QLatin1Char('\n') + usageLine);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 3)
        return fail(usageLine);
    for (const Operations& operations : kOperations) {
        if (positional.at(0) == QLatin1String(operations.name))
            invocation.operations = &operations;
    }
    if (!invocation.operations)
        return fail(
            QStringLiteral("unknown record type '%1': use persons, tasks or appointments").arg(positional.at(0)));
    invocation.document = positional.at(1);
    invocation.textFile = positional.at(2);
    const RecordType type = invocation.operations->type;
    invocation.settings = importing ? DelimitedTextSettings::ForImport(type) : DelimitedTextSettings::ForExport(type);
    invocation.settings.ApplyDefaultFormat();
    invocation.settings.FilePath = invocation.textFile;
    if (parser.isSet(QStringLiteral("columns")))
        invocation.columns = parser.value(QStringLiteral("columns")).split(QLatin1Char(','));
    return readFormat(parser, invocation.settings);
}

bool loadDocument(PimDocument& document, const QString& path) {
    StderrPromptService prompt;
    platform::FileError error = platform::FileError::None;
    if (DocumentStorage(document).ReadFromFile(path, prompt, &error))
        return true;
    reportFileError(path, error);
    return fail(QStringLiteral("cannot read the document '%1'").arg(path));
}

// Which column of the file feeds which record column: as --columns lists them, or else by the
// names in the file's first line.
bool assignColumns(Invocation& invocation) {
    DelimitedTextSettings& settings = invocation.settings;
    if (invocation.columns) {
        if (!canonicalColumns(*invocation.columns, settings.AvailableFields, settings.SelectedFields))
            return false;
        settings.ColumnCount = static_cast<int>(settings.SelectedFields.size());
    } else {
        if (!settings.FirstLineHasNames)
            return fail(QStringLiteral("without a header line the columns must be given with --columns"));
        RecordReader reader(settings.FilePath, settings.MakeTokenizer());
        DelimitedRecord header;
        if (!reader.File().IsOpen())
            return fail(DescribeReadFailure(reader.File().Why(), settings.FilePath));
        if (!reader.Next(header))
            return fail(QStringLiteral("'%1' is empty").arg(settings.FilePath));
        settings.FirstLine = reader.Text();
        settings.ListFirstLineFields();
        settings.AssignColumnsByName();
    }
    if (settings.HasRequiredFields())
        return true;
    QStringList required;
    for (const std::string& name : settings.RequiredFields)
        required.append(QString::fromStdString(name));
    const QString how = NeedsAllRequiredColumns(settings.Type) ? QStringLiteral("the columns %1 are all needed")
                                                               : QStringLiteral("one of the columns %1 is needed");
    return fail(how.arg(required.join(QStringLiteral(", "))));
}

} // namespace

int runExport(const QStringList& args) {
    Invocation invocation;
    if (!parse(args, false, invocation))
        return kCliUsageError;
    DelimitedTextSettings& settings = invocation.settings;
    CliOutputFile output(invocation.textFile);
    settings.FilePath = output.Path();
    if (invocation.columns) {
        if (!canonicalColumns(*invocation.columns, settings.AvailableFields, settings.SelectedFields))
            return 1;
    } else {
        settings.SelectedFields = settings.AvailableFields;
    }
    PimDocument document;
    if (!loadDocument(document, invocation.document))
        return 1;
    const Operations& operations = *invocation.operations;
    const int written = operations.exportRecords(document.Records(), settings);
    // An empty collection writes an empty file and counts 0 as well; only records lost mean failure.
    if ((written == 0 && (operations.count(document.Records()) > 0 || !QFileInfo::exists(settings.FilePath))) ||
        !output.Finish()) {
        fail(QStringLiteral("cannot write '%1'").arg(invocation.textFile));
        return 1;
    }
    std::fprintf(output.IsStandardOutput() ? stderr : stdout, "%d %s written to %s\n", written, operations.name,
                 qPrintable(invocation.textFile));
    return 0;
}

int runImport(const QStringList& args) {
    Invocation invocation;
    if (!parse(args, true, invocation))
        return kCliUsageError;
    const CliInputFile input(invocation.textFile);
    if (!input.IsReady()) {
        fail(QStringLiteral("cannot read standard input"));
        return 1;
    }
    invocation.settings.FilePath = input.Path();
    if (!assignColumns(invocation))
        return 1;
    PimDocument document;
    if (documentInUse(invocation.document) ||
        (QFileInfo::exists(invocation.document) && !loadDocument(document, invocation.document)))
        return 1;
    if (const DelimitedTextReader file(invocation.settings.FilePath); !file.IsOpen()) {
        fail(DescribeReadFailure(file.Why(), invocation.textFile));
        return 1;
    }
    const Operations& operations = *invocation.operations;
    ImportReport report;
    const int added = operations.importRecords(document, invocation.settings, &report);
    if (added == NoIdLeft) {
        fail(QStringLiteral("no %1 can be added to '%2': every ID is taken; nothing was imported")
                 .arg(QLatin1String(operations.name), invocation.document));
        return 1;
    }
    platform::FileError error = platform::FileError::None;
    if (!DocumentStorage(document).Save(invocation.document, &error)) {
        reportFileError(invocation.document, error);
        fail(QStringLiteral("cannot write the document '%1'").arg(invocation.document));
        return 1;
    }
    // The report is the command's output, as the count is; only failures go to standard error.
    std::printf("%d %s added to %s\n", added, operations.name, qPrintable(invocation.document));
    for (const QString& line : DescribeImport(report, invocation.settings))
        std::printf("%s\n", qPrintable(line));
    return 0;
}
