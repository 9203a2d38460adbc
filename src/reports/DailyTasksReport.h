#pragma once

#include "core/Task.h"
#include "reports/Report.h"

#include <vector>

// The day's tasks: description, priority word and due date, one line each.
class DailyTasksReport : public Report {
public:
    DailyTasksReport(platform::DrawSurface* dc, std::vector<Task> tasks);

    void DrawTitle() override;
    void DrawFooter(int pageNumber) override;
    void DrawFrame() override;
    void Paginate() override;

    const Pages& GetPages() const { return m_pages; }
    // The DUE DATE column, halfway between PRIORITY and the right edge of the text.
    int DueDateX() const { return m_col2X + (m_col2X - m_col1X) / 2; }

protected:
    void DrawBody(int page) override;

private:
    std::vector<Task> m_tasks;
    Pages m_pages;
};
