#pragma once

#include "core/DateTime.h"
#include "reports/DailyTable.h"
#include "reports/Report.h"
#include "reports/TableColumns.h"

#include <vector>

// What the three daily reports share: the title with the day's long date under it, "Page %d" in
// the footer, the frame, and tables of one-line rows under a line of column heads.
class DailyReport : public Report {
public:
    DailyReport(platform::DrawSurface* layout, const DateTime& day, const QString& title);

    // The day in the locale's long date format; empty when no day was given.
    QString DateLine() const;

protected:
    // The columns of a table that starts at the given places and ends before right.
    TableColumns::Layout PlaceTable(const DailyTable& table, const std::vector<int>& defaultX, int right);
    // The table's heads, in boldFont, at the top of the body.
    void DrawHeads(platform::DrawSurface& dc, const DailyTable& table, const TableColumns::Layout& layout);
    // The rows of the page, a line each below the heads.
    void DrawRows(platform::DrawSurface& dc, const DailyTable& table, const TableColumns::Layout& layout,
                  const Pages& pages, int page);
    // The space between one column's text and the next column.
    int Gap() const { return CharWidth() / 2; }
    // Where the text of the right-hand column ends: half a character inside the frame.
    int TextRight() const { return GetPrintRect().right - Gap(); }

private:
    void DrawTitle(platform::DrawSurface& dc, int page) override;
    void DrawFooter(platform::DrawSurface& dc, int pageNumber) override;
    void DrawFrame(platform::DrawSurface& dc) override;
    // Title, date, heads, one row and the footer, each a line; and every table's columns.
    bool FitsPage() override;
    virtual bool ColumnsFit() const = 0;

    DateTime m_day;
    QString m_title;
};
