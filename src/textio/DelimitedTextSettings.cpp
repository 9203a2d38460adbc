#include "DelimitedTextSettings.h"

#include "ColumnAliases.h"

#include <algorithm>

namespace {

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

DelimitedTextSettings DelimitedTextSettings::For(RecordKind kind, bool importing) {
    DelimitedTextSettings settings;
    settings.Type = kind;
    settings.Importing = importing;
    settings.AvailableFields = importing ? ImportColumns(kind) : ExportColumns(kind);
    if (importing)
        settings.RequiredFields = RequiredColumns(kind);
    settings.AvailableCount = static_cast<int>(settings.AvailableFields.size());
    settings.SelectedFields.assign(settings.AvailableFields.size(), std::string());
    settings.RecordTypeName = RecordCollectionName(kind);
    return settings;
}

DelimitedTextSettings DelimitedTextSettings::ForExport(RecordKind kind) {
    return For(kind, false);
}

DelimitedTextSettings DelimitedTextSettings::ForImport(RecordKind kind) {
    return For(kind, true);
}

void DelimitedTextSettings::ApplyDefaultFormat() {
    Encloser.assign(1, '"');
    Separator.assign(1, ',');
    FirstLineHasNames = true;
}

FieldTokenizer DelimitedTextSettings::MakeTokenizer() const {
    FieldTokenizer tokenizer;
    if (!Separator.empty())
        tokenizer.SetSeparator(Separator.front());
    if (!Encloser.empty())
        tokenizer.SetEncloser(Encloser.front());
    return tokenizer;
}

void DelimitedTextSettings::ListFirstLineFields() {
    FirstLineFields.clear();
    DelimitedRecord record;
    if (MakeTokenizer().NextRecord(FirstLine, true, record) > 0) {
        for (std::size_t j = 0; j < record.count; ++j) {
            const std::string& field = record.values[j];
            FirstLineFields.push_back(field.empty() ? std::string(kEmptyFieldText) : field);
        }
    }
    ColumnCount = static_cast<int>(FirstLineFields.size());
}

void DelimitedTextSettings::AssignColumnsByName() {
    SelectedFields.assign(FirstLineFields.size(), std::string());
    for (size_t j = 0; j < FirstLineFields.size(); ++j) {
        const std::string column = ColumnForHeader(Type, FirstLineFields[j]);
        if (!column.empty() && contains(AvailableFields, column) && !contains(SelectedFields, column))
            SelectedFields[j] = column;
    }
}

bool DelimitedTextSettings::HasRequiredFields() const {
    const auto selected = [&](const std::string& name) { return contains(SelectedFields, name); };
    if (NeedsAllRequiredColumns(Type))
        return std::all_of(RequiredFields.begin(), RequiredFields.end(), selected);
    return std::any_of(RequiredFields.begin(), RequiredFields.end(), selected);
}
