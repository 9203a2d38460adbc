#include "CalendarExchange.h"

#include "CalendarEvent.h"
#include "CalendarItems.h"
#include "CalendarLines.h"
#include "CalendarParts.h"
#include "CalendarTally.h"
#include "DuplicateIndex.h"
#include "RecordUid.h"
#include "TextEncoding.h"

#include "core/AppointmentOverlapIndex.h"
#include "docfile/DocumentBatch.h"
#include "docfile/PimDocument.h"

#include <libical/ical.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace calendarexchange {

namespace {

struct FreeComponent {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, FreeComponent>;

// Errors in the file are the file's: they must not end the program.
void quietLibical() {
    static const bool once = [] {
        icalerror_set_errors_are_fatal(0);
        return true;
    }();
    (void)once;
}

// The VCALENDARs of a parsed file: the root itself, or each one of a file that holds several.
std::vector<icalcomponent*> calendarsOf(icalcomponent* root) {
    std::vector<icalcomponent*> calendars;
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT)
        calendars.push_back(root);
    if (icalcomponent_isa(root) != ICAL_XROOT_COMPONENT)
        return calendars;
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        calendars.push_back(c);
    return calendars;
}

// The instances that a component of their own replaces (RECURRENCE-ID), by UID.
std::map<std::string, std::vector<icaltimetype>> replacedInstances(icalcomponent* calendar) {
    std::map<std::string, std::vector<icaltimetype>> replaced;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const char* uid = icalcomponent_get_uid(e);
        if (uid && icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY))
            replaced[uid].push_back(icalcomponent_get_recurrenceid(e));
    }
    return replaced;
}

class Importer {
public:
    Importer(PimDocument& document, const ImportOptions& options)
        : m_document(document), m_options(options), m_present(document.Records()), m_taken(document.Appointments()),
          m_batch(document, QStringLiteral("Import")) {}

    void Calendar(icalcomponent* calendar) {
        calendarevent::AddUnknownZones(calendar, calendar, m_unknownZones);
        const auto replaced = replacedInstances(calendar);
        const std::vector<icaltimetype> none;
        for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
             e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            if (icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED) {
                const char* summary = icalcomponent_get_summary(e);
                m_report.skipped.push_back("\"" + exchangetext::ToUtf8(summary ? summary : "") + "\": cancelled");
                continue;
            }
            calendartally::AddUnkept(e, m_report.unmapped);
            const char* uid = icalcomponent_get_uid(e);
            const bool isReplacement = icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY) != nullptr;
            const auto found = uid && !isReplacement ? replaced.find(uid) : replaced.end();
            const auto occurrences =
                calendarevent::Occurrences(e, calendar, m_options.from, m_options.to,
                                           found == replaced.end() ? none : found->second, m_options.windowAll);
            for (const calendarevent::Occurrence& occurrence : occurrences)
                Event(occurrence);
        }
        for (icalcomponent* t = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT); t;
             t = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT)) {
            std::vector<std::string> changes;
            Task task = calendaritems::ReadTodo(t, m_options.today, &changes);
            task.IcalPriority = calendaritems::KeptPriority(t, task);
            if (m_options.windowAll && (task.DueDate < m_options.from || task.DueDate > m_options.to))
                continue;
            calendartally::AddUnkept(t, m_report.unmapped);
            const std::string named = "\"" + task.Description + "\": ";
            if (AddTask(std::move(task), false))
                for (const std::string& change : changes)
                    m_report.changed.push_back(named + change);
        }
    }

    void LeftOut(const std::vector<std::size_t>& lines) {
        const std::string why = ": longer than " + std::to_string(calendarlines::kLongestLine / 1024) + " KB, left out";
        for (const std::size_t line : lines)
            m_report.skipped.push_back("line " + std::to_string(line) + why);
    }

    ExchangeReport Finish() {
        if (m_full) {
            // No ID was left for a record: the import takes back what it added.
            m_batch.Cancel();
            return ExchangeReport::NoIdLeft(ExchangeReport::Kind::Calendar);
        }
        for (const std::string& zone : m_unknownZones)
            m_report.notes.push_back("Unknown time zone \"" + exchangetext::ToUtf8(zone) +
                                     "\": its times were read as local time");
        return std::move(m_report);
    }

private:
    void Event(const calendarevent::Occurrence& occurrence) {
        if (occurrence.allDay) {
            Task task;
            task.Description = occurrence.summary;
            task.DueDate = occurrence.start.Date();
            task.Priority = Task::Medium;
            AddTask(std::move(task), true);
            return;
        }
        std::string reason;
        std::optional<Appointment> appointment = calendarevent::ToAppointment(occurrence, reason);
        if (appointment && m_present.Held(*appointment)) {
            ++m_report.alreadyPresent;
            return;
        }
        if (appointment && m_taken.Collides(appointment->StartTime, appointment->EndTime))
            reason = "overlaps an appointment";
        if (!reason.empty()) {
            m_report.skipped.push_back(Named(occurrence) + ": " + reason);
            return;
        }
        if (!m_document.Add(std::move(*appointment)))
            m_full = true;
        ++m_report.appointments;
    }

    // True when the task was added.
    bool AddTask(Task task, bool fromAllDay) {
        if (m_present.Held(task)) {
            ++m_report.alreadyPresent;
            return false;
        }
        if (!m_document.Add(std::move(task)))
            m_full = true;
        ++m_report.tasks;
        if (fromAllDay)
            ++m_report.allDayTasks;
        return true;
    }

    static std::string Named(const calendarevent::Occurrence& occurrence) {
        const std::string when = occurrence.start.Format("%Y-%m-%d %H:%M");
        return "\"" + occurrence.summary + "\" (" + when + ")";
    }

    PimDocument& m_document;
    const ImportOptions& m_options;
    ExchangeReport m_report{ExchangeReport::Kind::Calendar};
    const DuplicateIndex m_present;
    // Overlaps, like duplicates, are judged against what the document held before the import: the
    // document may hold appointments at one time, and its own export must come back whole.
    const AppointmentOverlapIndex m_taken;
    DocumentBatch m_batch;
    bool m_full = false;
    std::set<std::string> m_unknownZones;
};

bool withinDays(const DateTime& day, const ExportOptions& options) {
    return (!options.from.IsValid() || day.Date() >= options.from) &&
           (!options.to.IsValid() || day.Date() <= options.to);
}

} // namespace

ImportOptions DefaultImportOptions() {
    ImportOptions options;
    options.today = DateTime::Today();
    const CalendarRecord today = options.today.ToCalendarRecord();
    options.from = DateTime(today.year - 1, today.month, today.month == 2 && today.day == 29 ? 28 : today.day, 0, 0, 0);
    options.to = DateTime(today.year + 2, today.month, today.month == 2 && today.day == 29 ? 28 : today.day, 0, 0, 0);
    return options;
}

ExchangeReport ImportText(PimDocument& document, std::string_view text, const ImportOptions& options) {
    quietLibical();
    const calendarlines::Prepared prepared = calendarlines::Prepare(text);
    const std::vector<calendarparts::Calendar> calendars = calendarparts::Split(prepared.text);
    if (calendars.empty()) {
        ExchangeReport report(ExchangeReport::Kind::Calendar);
        report.error = QStringLiteral("The file holds no iCalendar data");
        return report;
    }
    Importer importer(document, options);
    importer.LeftOut(prepared.leftOut);
    // Part by part, each parsed tree freed before the next is made.
    for (const calendarparts::Calendar& calendar : calendars)
        calendar.ForEachPart([&importer](const std::string& part) {
            Component root(icalparser_parse_string(part.c_str()));
            for (icalcomponent* parsed : root ? calendarsOf(root.get()) : std::vector<icalcomponent*>())
                importer.Calendar(parsed);
        });
    return importer.Finish();
}

ExchangeReport ImportFile(PimDocument& document, const QString& path, const ImportOptions& options) {
    ExchangeReport unread(ExchangeReport::Kind::Calendar);
    const std::optional<std::string> bytes = unread.Read(path);
    return bytes ? ImportText(document, *bytes, options) : unread;
}

std::string ExportText(const PimDocument& document, const ExportOptions& options, int* written) {
    quietLibical();
    const QString& key = options.documentKey;
    const icaltimetype stamp = calendaritems::NowUtc();
    localzone::ToUtc utc;
    Component calendar(calendaritems::NewCalendar());
    int count = 0;
    for (const auto& [id, appointment] : document.Appointments()) {
        if (!withinDays(appointment.DueDate, options))
            continue;
        const std::string uid = recorduid::Uid(key, RecordKind::Appointment, id);
        icalcomponent_add_component(calendar.get(), calendaritems::NewEvent(appointment, uid, utc, stamp));
        ++count;
    }
    for (const auto& [id, task] : document.Tasks()) {
        if (!withinDays(task.DueDate, options))
            continue;
        const std::string uid = recorduid::Uid(key, RecordKind::Task, id);
        icalcomponent_add_component(calendar.get(), calendaritems::NewTodo(task, uid, utc, stamp));
        ++count;
    }
    if (written)
        *written = count;
    return calendaritems::Text(calendar.get());
}

ExchangeReport ExportFile(const PimDocument& document, const QString& path, const ExportOptions& options) {
    ExchangeReport report(ExchangeReport::Kind::Calendar);
    report.Write(path, ExportText(document, options, &report.written));
    return report;
}

} // namespace calendarexchange
