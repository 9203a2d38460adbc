#pragma once

#include "core/Task.h"
#include "reports/DailyReport.h"

#include <vector>

// The day's tasks: description, priority word and due date, one line each.
class DailyTasksReport : public DailyReport {
public:
    DailyTasksReport(platform::DrawSurface* dc, const DateTime& day, std::vector<Task> tasks);

    void Paginate() override;

    const Pages& GetPages() const { return m_pages; }
    // Where TASK, PRIORITY and DUE DATE begin and end at the current size.
    const TableColumns::Layout& Columns() const { return m_columns; }

protected:
    void DrawBody(int page) override;
    bool ColumnsFit() const override { return m_columns.fits; }

private:
    DailyTable m_table;
    Pages m_pages;
    TableColumns::Layout m_columns;
};
