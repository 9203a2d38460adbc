#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DelimitedTextSettings;

namespace wizard {

// The rows of the import's fields page: one per field of the file's first line, each with the
// column it feeds (or none). A column feeds at most one row.
class ImportFieldRows {
public:
    // Fresh rows from the settings' first line, Separator and Encloser; when the first line holds
    // names, each row feeds the column its name stands for. Also lists the fields in
    // FirstLineFields and counts them in ColumnCount.
    void Build(DelimitedTextSettings& settings);
    // Whether the rows were built from the file, first line and characters the settings hold now;
    // rows built from anything else would feed columns into the wrong fields.
    bool IsCurrent(const DelimitedTextSettings& settings) const;

    int Count() const { return static_cast<int>(m_rows.size()); }
    const std::string& FieldText(int row) const { return m_rows.at(static_cast<std::size_t>(row)).text; }
    // The column the row feeds; empty when it is not imported.
    const std::string& Column(int row) const { return m_rows.at(static_cast<std::size_t>(row)).column; }

    // The row now feeds `column`; another row that fed it is cleared. Returns that row, or -1.
    int Assign(int row, const std::string& column);
    void Unassign(int row);

    // One entry per row, in row order: its column, or empty.
    std::vector<std::string> SelectedFields() const;

private:
    struct Row {
        std::string text;
        std::string column;
    };
    struct Source {
        QString filePath;
        std::string firstLine;
        std::string separator;
        std::string encloser;
        bool names = false;
        bool operator==(const Source&) const = default;
    };
    static Source SourceOf(const DelimitedTextSettings& settings);

    std::vector<Row> m_rows;
    std::optional<Source> m_source;
};

} // namespace wizard
