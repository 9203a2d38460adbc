#include "ColumnReader.h"
#include "DelimitedTextOperations.h"
#include "DelimitedTextSettings.h"
#include "DelimitedTextWriter.h"
#include "ExportColumnSet.h"
#include "ImportTakeBack.h"
#include "TextValues.h"

#include "docfile/PimDocument.h"

#include <string_view>

namespace {

using TextField = std::string Person::*;

struct TextColumn {
    std::string_view name;
    TextField field;
};

const TextColumn kTextColumns[] = {
    {"FirstName", &Person::FName},     {"LastName", &Person::LName},    {"Address1", &Person::Addr1},
    {"Address2", &Person::Addr2},      {"City", &Person::City},         {"State", &Person::State},
    {"ZipCode", &Person::Zip},         {"HomePhone", &Person::HmPhone}, {"WorkPhone", &Person::WkPhone},
    {"WorkExtension", &Person::WkExt}, {"Fax", &Person::Fax},           {"CelPhone", &Person::CelPhone},
    {"Pager", &Person::Pager},         {"E-Mail", &Person::EMail},      {"WebPage", &Person::WebPage},
    {"Company", &Person::Company},     {"Position", &Person::Position}, {"Notes", &Person::Notes},
};

// The text field behind each named column, or null for the two flags.
std::vector<TextField> textFields(const std::vector<std::string>& columns) {
    std::vector<TextField> fields;
    for (const std::string& name : columns) {
        TextField field = nullptr;
        for (const TextColumn& column : kTextColumns) {
            if (column.name == name)
                field = column.field;
        }
        fields.push_back(field);
    }
    return fields;
}

int indexOf(const std::vector<std::string>& columns, std::string_view name) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int ExportPersons(const PimRecords& records, const DelimitedTextSettings& settings) {
    const std::vector<std::string>& columns = ExportColumns(RecordKind::Person);
    const std::vector<TextField> fields = textFields(columns);
    const ExportColumnSet wanted(columns, settings);
    DelimitedTextWriter writer(settings);
    int written = 0;
    if (!records.Persons.Empty()) {
        if (settings.FirstLineHasNames)
            wanted.WriteHeader(writer);
        for (const auto& [id, person] : records.Persons) {
            for (size_t i = 0; i < fields.size(); ++i) {
                if (wanted.Wanted(static_cast<int>(i)))
                    writer.AddValue(person.*fields[i]);
            }
            writer.EndLine();
            ++written;
        }
    }
    return writer.Save(settings.FilePath) ? written : 0;
}

std::optional<int> ImportPersons(PimDocument& document, const DelimitedTextSettings& settings, ImportReport* report) {
    ImportReport local;
    ImportReport& out = report ? *report : local;
    const std::vector<std::string>& columns = ImportColumns(RecordKind::Person);
    const std::vector<TextField> fields = textFields(columns);
    const int whitePages = indexOf(columns, "WhitePages");
    const int yellowPages = indexOf(columns, "YellowPages");
    const int names[] = {indexOf(columns, "FirstName"), indexOf(columns, "LastName"), indexOf(columns, "Company")};

    ColumnReader reader(settings, columns);
    if (!reader.Start(out))
        return 0;
    DocumentBatch batch(document, QStringLiteral("Import"));
    while (reader.NextLine()) {
        bool named = false;
        for (int column : names)
            named = named || !reader.Field(column).empty();
        if (!named) {
            out.Skip(ImportIssue::MissingValue, reader.Line());
            continue;
        }
        Person* person = document.AddBlankPerson(batch);
        if (!person)
            return TakeBackImport(batch);
        for (size_t i = 0; i < fields.size(); ++i) {
            if (!fields[i] || !reader.Has(static_cast<int>(i)))
                continue;
            // Position keeps its white space; every other text is trimmed unless it was enclosed.
            reader.Take(static_cast<int>(i), person->*fields[i], fields[i] != &Person::Position);
        }
        person->WhitePages =
            reader.Has(whitePages) ? textvalues::IsYes(reader.Field(whitePages), {"1", "true", "yes"}) : 1;
        person->YellowPages = textvalues::IsYes(reader.Field(yellowPages), {"1", "true", "yes"});
        if (!person->WhitePages && !person->YellowPages)
            person->WhitePages = 1;
        person->RName = DisplayName(*person);
        ++out.added;
    }
    return out.added;
}
