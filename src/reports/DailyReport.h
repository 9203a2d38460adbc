#pragma once

#include "core/DateTime.h"
#include "reports/Report.h"
#include "reports/TableColumns.h"

#include <QStringList>

#include <vector>

// One table of a daily report: its column heads and, for each row, the text of each column. One
// column (the description) is flexible: it takes the room the others leave and is shortened with
// an ellipsis.
struct DailyTable {
    QStringList heads;
    int flexible = 0;
    std::vector<QStringList> rows;

    // Each fixed column's texts once each (a thousand rows share a few dozen times), gathered when
    // first asked for; the flexible column's list stays empty.
    const std::vector<QStringList>& DistinctTexts() const;

private:
    mutable std::vector<QStringList> m_distinct;
};

// What the three daily reports share: the title with the day's long date under it, "Page %d" in
// the footer, the frame, and tables of one-line rows under a line of column heads.
class DailyReport : public Report {
public:
    DailyReport(platform::DrawSurface* dc, const DateTime& day, const QString& title);

    void DrawTitle() override;
    void DrawFooter(int pageNumber) override;
    void DrawFrame() override;

    // The day in the locale's long date format; empty when no day was given.
    QString DateLine() const;

protected:
    // Title, date, heads, one row and the footer, each a line; and every table's columns.
    bool FitsPage() override;
    // The columns of a table that starts at the given places and ends before right.
    TableColumns::Layout PlaceTable(const DailyTable& table, const std::vector<int>& defaultX, int right);
    void DrawHeads(const DailyTable& table, const TableColumns::Layout& layout);
    void DrawRow(const QStringList& cells, const TableColumns::Layout& layout);
    virtual bool ColumnsFit() const = 0;
    // The space between one column's text and the next column.
    int Gap() const { return m_charWidth / 2; }
    // Where the text of the right-hand column ends: half a character inside the frame.
    int TextRight() const { return m_printRect.right - Gap(); }

private:
    DateTime m_day;
    QString m_title;
};
