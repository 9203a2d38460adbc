#pragma once

#include "reports/DailyTableReport.h"

#include <vector>

// The day's tasks: description, priority word and due date, one line each.
class DailyTasksReport : public DailyTableReport {
public:
    DailyTasksReport(platform::DrawSurface* layout, const DateTime& day, const std::vector<Task>& tasks);

private:
    std::vector<int> DefaultColumnStarts() const override;
};
