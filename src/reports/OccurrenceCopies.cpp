#include "reports/OccurrenceCopies.h"

#include "core/AppointmentOccurrences.h"
#include "core/OccurrenceIndex.h"

#include <algorithm>

namespace OccurrenceCopies {

Appointment Of(const Appointment& record, const Occurrence& occurrence) {
    if (!record.Repeats() || occurrence.id != record.ID || occurrence.seriesId != record.ID)
        return record;
    Appointment copy = ChangedOccurrence(record, occurrence);
    copy.ID = record.ID;
    return copy;
}

std::vector<Appointment> Between(const PimRecords& records, CalendarDate first, CalendarDate last) {
    std::vector<Appointment> copies;
    for (const DayOccurrence& listed : Occurrences::Between(records, first, last)) {
        // Each occurrence once: where the range first lists it.
        if (listed.day != std::max(first, listed.occurrence.firstDay))
            continue;
        if (const Appointment* record = records.Appointments.Find(listed.occurrence.id))
            copies.push_back(Of(*record, listed.occurrence));
    }
    return copies;
}

QString DayMark(const Occurrence& occurrence, CalendarDate day) {
    const int count = (occurrence.lastDay - occurrence.firstDay) + 1;
    if (count <= 1 || day < occurrence.firstDay || day > occurrence.lastDay)
        return {};
    // Held together by no-break spaces: a wrapped entry never starts a line with a bare number.
    return QStringLiteral(" (day\u00a0%1\u00a0of\u00a0%2)").arg((day - occurrence.firstDay) + 1).arg(count);
}

} // namespace OccurrenceCopies
