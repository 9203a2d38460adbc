#include "reports/DailyTasksReport.h"

DailyTasksReport::DailyTasksReport(platform::DrawSurface* layout, const DateTime& day, const std::vector<Task>& tasks)
    : DailyTableReport(layout, day, QStringLiteral("DAILY TASKS"), DailyTable::OfTasks(tasks)) {}

std::vector<int> DailyTasksReport::DefaultColumnStarts() const {
    // DUE DATE halfway between PRIORITY and the right edge of the text.
    return {Col1X(), Col2X(), Col2X() + (Col2X() - Col1X()) / 2};
}
