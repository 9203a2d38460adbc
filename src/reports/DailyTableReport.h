#pragma once

#include "reports/DailyReport.h"

// A daily report of one table: its heads, then one line for each row, as many pages as the rows
// need. The daily appointments and the daily tasks are this report over their own rows, each with
// the places its columns take while their texts fit there.
class DailyTableReport : public DailyReport {
public:
    const Pages& GetPages() const { return m_pages; }
    // Where each column begins and ends at the current size.
    const TableColumns::Layout& Columns() const { return m_columns; }

protected:
    DailyTableReport(platform::DrawSurface* layout, const DateTime& day, const QString& title, DailyTable table);

private:
    // Where each column begins while what it prints fits there.
    virtual std::vector<int> DefaultColumnStarts() const = 0;
    int Paginate() override;
    void DrawBody(platform::DrawSurface& dc, int page) override;
    bool ColumnsFit() const override { return m_columns.fits; }

    DailyTable m_table;
    Pages m_pages;
    TableColumns::Layout m_columns;
};
