#pragma once

#include "reports/DailyTableReport.h"

#include <vector>

// The day's appointments: start, end and description, one line each.
class DailyAppointmentsReport : public DailyTableReport {
public:
    DailyAppointmentsReport(platform::DrawSurface* layout, const DateTime& day,
                            const std::vector<Appointment>& appointments,
                            const std::vector<BirthdayNote>& birthdays = {});

private:
    std::vector<int> DefaultColumnStarts() const override;
};
