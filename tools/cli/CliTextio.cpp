#include "CliTextio.h"

#include "CliArguments.h"
#include "CliDocfile.h"
#include "CliStreamFile.h"
#include "StderrPromptService.h"
#include "docfile/DocumentLock.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/ImportReport.h"
#include "textio/RecordReader.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// A record kind as the command line names it: "persons", "tasks", "appointments".
QString wordFor(RecordKind kind) {
    return QString::fromLatin1(RecordCollectionName(kind)).toLower();
}

bool fail(const QString& message) {
    std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(message));
    return false;
}

// The command's words after its name: the record kind, DOC, the text file and the format options.
struct Invocation {
    RecordKind kind = RecordKind::Person;
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

bool readFormat(const CliArguments& arguments, DelimitedTextSettings& settings) {
    if (arguments.IsSet(QStringLiteral("separator"))) {
        const QString value = arguments.Value(QStringLiteral("separator"));
        if (value == QLatin1String("tab"))
            settings.Separator.assign(1, '\t');
        else if (!readCharacter(value, QStringLiteral("the separator must be one plain character or 'tab', not '%1'"),
                                settings.Separator))
            return false;
    }
    if (arguments.IsSet(QStringLiteral("encloser"))) {
        const QString value = arguments.Value(QStringLiteral("encloser"));
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
    settings.FirstLineHasNames = !arguments.IsSet(QStringLiteral("no-header"));
    settings.ByteOrderMark = !settings.Importing && arguments.IsSet(QStringLiteral("bom"));
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

// False when the command line is not understood (and it has said why, with the usage).
bool parse(const QStringList& args, bool importing, Invocation& invocation) {
    QList<QCommandLineOption> options = {
        {QStringLiteral("separator"), QStringLiteral("Field separator."), QStringLiteral("C")},
        {QStringLiteral("encloser"), QStringLiteral("Field encloser."), QStringLiteral("C")},
        {QStringLiteral("no-header"), QStringLiteral("No header line.")},
        {QStringLiteral("columns"), QStringLiteral("Columns."), QStringLiteral("NAMES")},
    };
    if (!importing)
        options.append({QStringLiteral("bom"), QStringLiteral("Start with the UTF-8 byte-order mark.")});
    CliArguments arguments(importing ? kImportTextUsage : kExportTextUsage, options);
    if (!arguments.Parse(args, 3))
        return false;
    const auto named = std::find_if(kRecordKinds.begin(), kRecordKinds.end(),
                                    [&](RecordKind kind) { return arguments.Word(0) == wordFor(kind); });
    if (named == kRecordKinds.end()) {
        arguments.Refuse(
            QStringLiteral("unknown record type '%1': use persons, tasks or appointments").arg(arguments.Word(0)));
        return false;
    }
    invocation.kind = *named;
    invocation.document = arguments.Word(1);
    invocation.textFile = arguments.Word(2);
    invocation.settings = importing ? DelimitedTextSettings::ForImport(invocation.kind)
                                    : DelimitedTextSettings::ForExport(invocation.kind);
    invocation.settings.ApplyDefaultFormat();
    invocation.settings.FilePath = invocation.textFile;
    if (arguments.IsSet(QStringLiteral("columns")))
        invocation.columns = arguments.Value(QStringLiteral("columns")).split(QLatin1Char(','));
    if (readFormat(arguments, invocation.settings))
        return true;
    arguments.Refuse();
    return false;
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
            return kCliFailure;
    } else {
        settings.SelectedFields = settings.AvailableFields;
    }
    PimDocument document;
    if (!loadDocument(document, invocation.document))
        return kCliFailure;
    const int written = ExportRecords(document.Records(), settings);
    // An empty collection writes an empty file and counts 0 as well; only records lost mean failure.
    if ((written == 0 &&
         (RecordCount(document.Records(), invocation.kind) > 0 || !QFileInfo::exists(settings.FilePath))) ||
        !output.Finish()) {
        fail(QStringLiteral("cannot write '%1'").arg(invocation.textFile));
        return kCliFailure;
    }
    std::fprintf(output.IsStandardOutput() ? stderr : stdout, "%d %s written to %s\n", written,
                 qPrintable(wordFor(invocation.kind)), qPrintable(invocation.textFile));
    return kCliSuccess;
}

int runImport(const QStringList& args) {
    Invocation invocation;
    if (!parse(args, true, invocation))
        return kCliUsageError;
    const CliInputFile input(invocation.textFile);
    if (!input.IsReady()) {
        fail(QStringLiteral("cannot read standard input"));
        return kCliFailure;
    }
    invocation.settings.FilePath = input.Path();
    if (!assignColumns(invocation))
        return kCliFailure;
    PimDocument document;
    const std::unique_ptr<DocumentLock> lock = lockForWriting(invocation.document);
    if (!lock || (QFileInfo::exists(invocation.document) && !loadDocument(document, invocation.document)))
        return kCliFailure;
    if (const DelimitedTextReader file(invocation.settings.FilePath); !file.IsOpen()) {
        fail(DescribeReadFailure(file.Why(), invocation.textFile));
        return kCliFailure;
    }
    ImportReport report;
    const std::optional<int> added = ImportRecords(document, invocation.settings, &report);
    if (!added) {
        fail(QStringLiteral("'%1': %2 Nothing was imported.").arg(invocation.document, QString::fromLatin1(kNoIdLeft)));
        return kCliFailure;
    }
    platform::FileError error = platform::FileError::None;
    if (!DocumentStorage(document).Save(invocation.document, &error)) {
        reportFileError(invocation.document, error);
        fail(QStringLiteral("cannot write the document '%1'").arg(invocation.document));
        return kCliFailure;
    }
    // The report is the command's output, as the count is; only failures go to standard error.
    std::printf("%d %s added to %s\n", *added, qPrintable(wordFor(invocation.kind)), qPrintable(invocation.document));
    for (const QString& line : DescribeImport(report, invocation.settings))
        std::printf("%s\n", qPrintable(line));
    return kCliSuccess;
}
