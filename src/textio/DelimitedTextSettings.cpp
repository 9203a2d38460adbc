#include "DelimitedTextSettings.h"

#include <algorithm>

namespace {

bool equalNoCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view trimmed(std::string_view s) {
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

DelimitedTextSettings DelimitedTextSettings::For(RecordType type, bool importing) {
    DelimitedTextSettings settings;
    settings.Type = type;
    settings.Importing = importing;
    settings.AvailableFields = importing ? ImportColumns(type) : ExportColumns(type);
    if (importing)
        settings.RequiredFields = RequiredColumns(type);
    settings.AvailableCount = static_cast<int>(settings.AvailableFields.size());
    settings.SelectedFields.assign(settings.AvailableFields.size(), std::string());
    settings.RecordTypeName = TypeName(type);
    return settings;
}

DelimitedTextSettings DelimitedTextSettings::ForExport(RecordType type) {
    return For(type, false);
}

DelimitedTextSettings DelimitedTextSettings::ForImport(RecordType type) {
    return For(type, true);
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
    const FieldTokenizer tokenizer = MakeTokenizer();
    FirstLineFields.clear();
    std::string_view line = FirstLine;
    std::string field;
    for (;;) {
        const std::size_t before = line.size();
        field.clear();
        if (!tokenizer.NextField(line, field))
            break;
        // Every round must shorten the line, or a line the tokenizer cannot take apart (a lone
        // closing Encloser, say) would be split for ever.
        if (line.size() >= before)
            break;
        FirstLineFields.push_back(field.empty() ? std::string(kEmptyFieldText) : field);
    }
    ColumnCount = static_cast<int>(FirstLineFields.size());
}

void DelimitedTextSettings::AssignColumnsByName() {
    SelectedFields.assign(FirstLineFields.size(), std::string());
    for (size_t j = 0; j < FirstLineFields.size(); ++j) {
        const std::string_view name = trimmed(FirstLineFields[j]);
        for (const std::string& column : AvailableFields) {
            if (equalNoCase(name, column) && !contains(SelectedFields, column)) {
                SelectedFields[j] = column;
                break;
            }
        }
    }
}

bool DelimitedTextSettings::HasRequiredFields() const {
    const auto selected = [&](const std::string& name) { return contains(SelectedFields, name); };
    if (NeedsAllRequiredColumns(Type))
        return std::all_of(RequiredFields.begin(), RequiredFields.end(), selected);
    return std::any_of(RequiredFields.begin(), RequiredFields.end(), selected);
}
