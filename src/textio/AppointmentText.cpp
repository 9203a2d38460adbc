#include "ColumnReader.h"
#include "DelimitedTextOperations.h"
#include "DelimitedTextSettings.h"
#include "DelimitedTextWriter.h"
#include "ExportColumnSet.h"
#include "ImportTakeBack.h"
#include "TextValues.h"

#include "core/AppointmentOverlapIndex.h"
#include "core/AppointmentRules.h"
#include "docfile/PimDocument.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// Delimited text keeps its own hour for the alarm's lead time, as files written by older versions
// and other programs expect; longer leads live in the document and in iCalendar.
constexpr int kLongestTextLead = 60;

enum Column { Description, Date, StartTime, EndTime, Alarmed, AlarmTime };

// The times of one line once its date, start and end have all been read. The day comes from the
// Date column wherever it stands in the line.
struct LineTimes {
    DateTime day;
    DateTime start;
    DateTime end;
};

// The issue that keeps the line from being an appointment, if any: an empty required field, a
// date or time that is no date or time, or one the calendar cannot hold.
std::optional<ImportIssue> readTimes(const ColumnReader& reader, LineTimes& times) {
    for (int column : {Date, StartTime, EndTime}) {
        if (textvalues::Trimmed(reader.Field(column)).empty())
            return ImportIssue::MissingValue;
    }
    switch (textvalues::ClassifyDate(reader.Field(Date), times.day)) {
    case textvalues::DateReading::Day:
        break;
    case textvalues::DateReading::Unreadable:
        return ImportIssue::UnreadableDate;
    case textvalues::DateReading::OutOfRange:
        return ImportIssue::OutOfRange;
    }
    int startHour = 0, startMinute = 0, endHour = 0, endMinute = 0;
    if (!textvalues::ReadTime(reader.Field(StartTime), startHour, startMinute) ||
        !textvalues::ReadTime(reader.Field(EndTime), endHour, endMinute))
        return ImportIssue::UnreadableDate;
    using namespace appointmentrules;
    times.start = AtMinute(times.day, SnapStart(startHour * 60 + startMinute));
    times.end = AtMinute(times.day, SnapEnd(endHour * 60 + endMinute));
    if (times.end < times.start)
        times.end = times.start;
    if (!times.start.IsValid() || !times.end.IsValid())
        return ImportIssue::OutOfRange;
    return std::nullopt;
}

} // namespace

int ExportAppointments(const PimRecords& records, const DelimitedTextSettings& settings) {
    const ExportColumnSet wanted(ExportColumns(RecordKind::Appointment), settings);
    DelimitedTextWriter writer(settings);
    int written = 0;
    if (!records.Appointments.Empty()) {
        if (settings.FirstLineHasNames)
            wanted.WriteHeader(writer);
        for (const auto& [id, appointment] : records.Appointments) {
            if (wanted.Wanted(Description))
                writer.AddValue(appointment.Description);
            if (wanted.Wanted(Date))
                writer.AddValue(textvalues::WriteDate(appointment.DueDate));
            if (wanted.Wanted(StartTime))
                writer.AddValue(textvalues::WriteTime(appointment.StartTime));
            if (wanted.Wanted(EndTime))
                writer.AddValue(textvalues::WriteTime(appointment.EndTime));
            if (wanted.Wanted(Alarmed))
                writer.AddValue(appointment.Alarm ? "TRUE" : "FALSE");
            if (wanted.Wanted(AlarmTime))
                writer.AddValue(
                    std::to_string(std::min(appointmentrules::AlarmLeadMinutes(appointment), kLongestTextLead)));
            writer.EndLine();
            ++written;
        }
    }
    return writer.Save(settings.FilePath) ? written : 0;
}

std::optional<int> ImportAppointments(PimDocument& document, const DelimitedTextSettings& settings,
                                      ImportReport* report) {
    ImportReport local;
    ImportReport& out = report ? *report : local;
    ColumnReader reader(settings, ImportColumns(RecordKind::Appointment));
    if (!reader.Start(out))
        return 0;
    AppointmentOverlapIndex taken(document.Appointments());
    // What a new appointment holds, made once: its constructor reads the clock four times.
    const Appointment fresh;
    DocumentBatch batch(document, QStringLiteral("Import"));
    LineTimes times;
    while (reader.NextLine()) {
        std::optional<ImportIssue> issue;
        if (reader.Field(Description).empty())
            issue = ImportIssue::MissingValue;
        else if (!(issue = readTimes(reader, times)) && taken.Collides(times.start, times.end))
            issue = ImportIssue::Overlap;
        if (issue) {
            out.Skip(*issue, reader.Line());
            continue;
        }
        Appointment appointment = fresh;
        reader.Take(Description, appointment.Description);
        appointment.DueDate = times.day;
        appointment.StartTime = times.start;
        appointment.EndTime = times.end;
        if (reader.Has(Alarmed))
            appointment.Alarm = textvalues::IsYes(reader.Field(Alarmed), {"true", "t", "yes", "1"}) ? 1 : 0;
        // Without a lead time from the file, or with one outside 0 to 60, the alarm is at the start.
        appointment.AlarmTime = times.start;
        if (reader.Has(AlarmTime)) {
            const int minutes =
                appointmentrules::RoundAlarmMinutes(textvalues::LeadingInteger(reader.Field(AlarmTime)));
            if (minutes >= 0 && minutes <= kLongestTextLead)
                appointment.AlarmTime = appointmentrules::MinutesBefore(times.start, minutes);
        }
        taken.Add(appointment.StartTime, appointment.EndTime);
        if (!document.Add(std::move(appointment)))
            return TakeBackImport(batch);
        ++out.added;
    }
    return out.added;
}
