#include "reports/DailyAppointmentsReport.h"

DailyAppointmentsReport::DailyAppointmentsReport(platform::DrawSurface* layout, const DateTime& day,
                                                 const std::vector<Appointment>& appointments,
                                                 const std::vector<BirthdayNote>& birthdays)
    : DailyTableReport(layout, day, QStringLiteral("DAILY APPOINTMENTS"),
                       DailyTable::OfAppointments(appointments, CalendarDate::Of(day), birthdays)) {}

std::vector<int> DailyAppointmentsReport::DefaultColumnStarts() const {
    // END a quarter of the print width right of START, measured from the print rectangle.
    const platform::Rect& r = GetPrintRect();
    return {Col1X(), r.left + r.width() / 4 + CharWidth(), Col2X()};
}
