#include "SeriesOperations.h"

#include "DocumentBatch.h"
#include "PimDocument.h"
#include "core/AppointmentOccurrences.h"
#include "core/RepeatPattern.h"

#include <algorithm>
#include <vector>

namespace {

const QString kEdit = QStringLiteral("Edit Appointment");
const QString kDelete = QStringLiteral("Delete Appointment");

// The changed occurrences of a series, as copies.
std::vector<Appointment> changedOf(const PimDocument& document, int seriesId) {
    std::vector<Appointment> changed;
    for (const auto& [id, appointment] : document.Appointments())
        if (appointment.SeriesID == seriesId)
            changed.push_back(appointment);
    return changed;
}

std::optional<int> changedIdOf(const PimDocument& document, const SeriesOccurrence& occurrence) {
    for (const auto& [id, appointment] : document.Appointments())
        if (appointment.SeriesID == occurrence.seriesId && appointment.OriginalDate == occurrence.original)
            return id;
    return std::nullopt;
}

const Appointment* seriesOf(const PimDocument& document, const SeriesOccurrence& occurrence) {
    const Appointment* series = document.Appointments().Find(occurrence.seriesId);
    return series && series->Repeats() && occurrence.original.IsValid() ? series : nullptr;
}

// The date of the series' first occurrence in its own zone, which names it in the series.
CalendarDate firstOriginal(const Appointment& series) {
    return AppointmentOccurrences(series).First().original;
}

// How many occurrences the rule gives before `original` (left-out dates count, as COUNT counts them).
int occurrencesBefore(const Appointment& series, CalendarDate original) {
    Appointment all = series;
    all.ExDates.clear();
    all.RDates.clear();
    const AppointmentOccurrences occurrences(all);
    int before = 0;
    for (const Occurrence& o : occurrences.Covering(occurrences.FirstDay() - 3, original + 3))
        before += o.original < original ? 1 : 0;
    return before;
}

// The series ended with the day before `original`; dates left out or added from there on are dropped.
Appointment endedBefore(const Appointment& series, CalendarDate original) {
    Appointment ended = series;
    if (!series.RRule.empty())
        ended.RRule = RuleEndingOn(series.RRule, original - 1, series.AllDay != 0, series.TimeZone);
    std::erase_if(ended.ExDates, [&](CalendarDate date) { return date >= original; });
    std::erase_if(ended.RDates, [&](CalendarDate date) { return date >= original; });
    return ended;
}

// Ties the changed occurrences to `series` with their original dates moved by `shift` days; those
// the series does not give (any more) become appointments of their own.
void carryChanged(PimDocument& document, std::vector<Appointment> changed, const Appointment& series, int shift) {
    const AppointmentOccurrences occurrences(series);
    for (Appointment& record : changed) {
        record.SeriesID = series.ID;
        record.OriginalDate = record.OriginalDate + shift;
        if (!occurrences.OnOriginalDate(record.OriginalDate)) {
            record.SeriesID = 0;
            record.OriginalDate = CalendarDate();
        }
        document.Change(record);
    }
}

std::vector<CalendarDate> shifted(std::vector<CalendarDate> dates, int shift) {
    for (CalendarDate& date : dates)
        date = date + shift;
    return dates;
}

bool changeThis(PimDocument& document, const SeriesOccurrence& occurrence, Appointment edited) {
    edited.SeriesID = occurrence.seriesId;
    edited.OriginalDate = occurrence.original;
    edited.RRule.clear();
    edited.ExDates.clear();
    edited.RDates.clear();
    DocumentBatch batch(document, kEdit);
    if (const std::optional<int> id = changedIdOf(document, occurrence)) {
        edited.ID = *id;
        return document.Change(edited);
    }
    edited.ID = 0;
    return document.Add(std::move(edited)).has_value();
}

bool changeAll(PimDocument& document, const Appointment& series, Appointment edited) {
    edited.ID = series.ID;
    edited.SeriesID = 0;
    edited.OriginalDate = CalendarDate();
    const CalendarDate before = firstOriginal(series);
    const CalendarDate after = edited.Repeats() ? firstOriginal(edited) : before;
    const int shift = before.IsValid() && after.IsValid() ? after - before : 0;
    if (shift != 0) {
        edited.ExDates = shifted(edited.ExDates, shift);
        edited.RDates = shifted(edited.RDates, shift);
    }
    DocumentBatch batch(document, kEdit);
    std::vector<Appointment> changed = changedOf(document, series.ID);
    if (!document.Change(edited))
        return false;
    carryChanged(document, std::move(changed), edited, shift);
    return true;
}

bool changeFollowing(PimDocument& document, const Appointment& series, CalendarDate original, Appointment edited) {
    edited.ID = 0;
    edited.SeriesID = 0;
    edited.OriginalDate = CalendarDate();
    const CalendarDate after = edited.Repeats() ? firstOriginal(edited) : original;
    const int shift = after.IsValid() ? after - original : 0;
    edited.ExDates.clear();
    for (CalendarDate date : series.ExDates)
        if (date >= original)
            edited.ExDates.push_back(date + shift);
    // The added dates the edit kept go with the following part.
    std::erase_if(edited.RDates, [&](CalendarDate date) { return date <= original; });
    edited.RDates = shifted(edited.RDates, shift);
    std::vector<Appointment> changed = changedOf(document, series.ID);
    std::erase_if(changed, [&](const Appointment& record) { return record.OriginalDate < original; });

    DocumentBatch batch(document, kEdit);
    const std::optional<int> id = document.Add(edited);
    if (!id) {
        batch.Cancel();
        return false;
    }
    edited.ID = *id;
    document.Change(endedBefore(series, original));
    carryChanged(document, std::move(changed), edited, shift);
    return true;
}

// The series goes with its changed occurrences.
bool removeAll(PimDocument& document, const Appointment& series) {
    return document.RemoveAppointment(series.ID);
}

} // namespace

namespace SeriesOperations {

std::optional<SeriesOccurrence> OccurrenceOn(const PimDocument& document, int id, CalendarDate day) {
    const Appointment* record = document.Appointments().Find(id);
    if (!record)
        return std::nullopt;
    if (record->IsChangedOccurrence())
        return SeriesOccurrence{record->SeriesID, record->OriginalDate};
    const AppointmentOccurrences occurrences(*record);
    if (!occurrences.Repeats())
        return std::nullopt;
    const std::vector<Occurrence> covering = occurrences.Covering(day, day);
    if (covering.empty())
        return std::nullopt;
    return SeriesOccurrence{id, covering.front().original};
}

std::optional<Appointment> RecordToEdit(const PimDocument& document, const SeriesOccurrence& occurrence,
                                        SeriesScope scope) {
    const Appointment* series = seriesOf(document, occurrence);
    if (!series)
        return std::nullopt;
    if (scope == SeriesScope::AllOccurrences)
        return *series;
    if (scope == SeriesScope::ThisOccurrence)
        if (const std::optional<int> id = changedIdOf(document, occurrence))
            return *document.Appointments().Find(*id);
    Appointment all = *series;
    all.ExDates.clear();
    const std::optional<Occurrence> found = AppointmentOccurrences(all).OnOriginalDate(occurrence.original);
    if (!found)
        return scope == SeriesScope::ThisAndFollowing ? std::optional<Appointment>(*series) : std::nullopt;
    Appointment record = ChangedOccurrence(*series, *found);
    if (scope == SeriesScope::ThisOccurrence)
        return record;
    record.ID = series->ID;
    record.SeriesID = 0;
    record.OriginalDate = CalendarDate();
    record.RRule = series->RRule;
    record.ExDates.clear();
    record.RDates = series->RDates;
    std::erase_if(record.RDates, [&](CalendarDate date) { return date <= occurrence.original; });
    const RepeatPattern pattern =
        RepeatPattern::FromRule(series->RRule, occurrence.original, series->AllDay != 0, series->TimeZone);
    if (pattern.ending == RepeatPattern::Ending::AfterCount)
        record.RRule = RuleCounting(series->RRule, pattern.count - occurrencesBefore(*series, occurrence.original));
    return record;
}

bool Change(PimDocument& document, const SeriesOccurrence& occurrence, SeriesScope scope, Appointment edited) {
    const Appointment* stored = seriesOf(document, occurrence);
    if (!stored)
        return false;
    const Appointment series = *stored;
    switch (scope) {
    case SeriesScope::ThisOccurrence:
        return changeThis(document, occurrence, std::move(edited));
    case SeriesScope::ThisAndFollowing:
        if (occurrence.original > firstOriginal(series))
            return changeFollowing(document, series, occurrence.original, std::move(edited));
        break;
    case SeriesScope::AllOccurrences:
        break;
    }
    return changeAll(document, series, std::move(edited));
}

bool Delete(PimDocument& document, const SeriesOccurrence& occurrence, SeriesScope scope) {
    const Appointment* stored = seriesOf(document, occurrence);
    if (!stored)
        return false;
    const Appointment series = *stored;
    if (scope == SeriesScope::AllOccurrences ||
        (scope == SeriesScope::ThisAndFollowing && occurrence.original <= firstOriginal(series)))
        return removeAll(document, series);
    DocumentBatch batch(document, kDelete);
    if (scope == SeriesScope::ThisOccurrence) {
        if (const std::optional<int> id = changedIdOf(document, occurrence))
            document.RemoveAppointment(*id);
        Appointment leftOut = series;
        if (std::find(leftOut.ExDates.begin(), leftOut.ExDates.end(), occurrence.original) == leftOut.ExDates.end())
            leftOut.ExDates.push_back(occurrence.original);
        std::sort(leftOut.ExDates.begin(), leftOut.ExDates.end());
        return document.Change(leftOut);
    }
    for (const Appointment& record : changedOf(document, series.ID))
        if (record.OriginalDate >= occurrence.original)
            document.RemoveAppointment(record.ID);
    return document.Change(endedBefore(series, occurrence.original));
}

} // namespace SeriesOperations
