#pragma once

#include "FieldTokenizer.h"
#include "TextColumns.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// How the first line shows a field that is empty, and a data field that counts as empty.
inline constexpr std::string_view kEmptyFieldText = "EMPTY FIELD";

// The settings of one import or export run, filled by the wizard (or the command line) and read
// by the six operations. Column names are those of TextColumns.h.
class DelimitedTextSettings {
public:
    virtual ~DelimitedTextSettings() = default;

    // Fresh settings for a run: the offered and required columns of the record kind, and as many
    // empty selections as there are offered columns. The format fields are left empty.
    static DelimitedTextSettings ForExport(RecordKind kind);
    static DelimitedTextSettings ForImport(RecordKind kind);

    // Double quote, comma, header line: what the wizard preselects.
    void ApplyDefaultFormat();
    // A tokenizer set to the first characters of Separator and Encloser.
    FieldTokenizer MakeTokenizer() const;
    // Cuts FirstLine into FirstLineFields (an empty field listed as "EMPTY FIELD") and sets
    // ColumnCount to their number.
    void ListFirstLineFields();
    // Import: assigns each field of the first line to the offered column it names (ColumnAliases.h);
    // a name that matches nothing, or a column already taken by an earlier field, leaves the
    // field unassigned.
    void AssignColumnsByName();
    // Import: whether SelectedFields holds what the record kind insists on (persons and tasks: one
    // of RequiredFields; appointments: all of them).
    bool HasRequiredFields() const;

    // Export: the columns to write. Import: one entry per column of the file, in file order: the
    // column it feeds, or empty when it is not imported.
    std::vector<std::string> SelectedFields;
    std::vector<std::string> AvailableFields;
    std::vector<std::string> FirstLineFields;
    std::vector<std::string> RequiredFields;
    // Export: write a header line. Import: the first line holds names and is skipped.
    bool FirstLineHasNames = false;
    std::string Encloser;  // one character, or empty for none
    std::string Separator; // one character
    QString FilePath;
    // Export: start the file with the UTF-8 byte-order mark, for spreadsheet programs that need it.
    bool ByteOrderMark = false;
    int AvailableCount = 0;
    int ColumnCount = 0; // import: the number of fields in the first line
    std::string RecordTypeName;
    std::string FirstLine; // import: the file's first record, whole, without its line end

    RecordKind Type = RecordKind::Person;
    bool Importing = false;

private:
    static DelimitedTextSettings For(RecordKind kind, bool importing);
};
