#include "CalendarExchange.h"

#include "CalendarEvent.h"
#include "CalendarItems.h"
#include "CalendarLines.h"
#include "CalendarParts.h"
#include "CalendarTally.h"
#include "DuplicateIndex.h"
#include "RecordUid.h"
#include "TextEncoding.h"

#include "core/AppointmentOccurrences.h"
#include "docfile/DocumentBatch.h"
#include "docfile/PimDocument.h"

#include <libical/ical.h>

#include <map>
#include <memory>
#include <optional>
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

class Importer {
public:
    Importer(PimDocument& document, const ImportOptions& options)
        : m_document(document), m_options(options), m_present(document.Records()),
          m_batch(document, QStringLiteral("Import")) {}

    void Calendar(icalcomponent* calendar) {
        calendarevent::AddUnknownZones(calendar, calendar, m_unknownZones);
        for (const calendarevent::EventGroup& group : calendarevent::GroupEvents(calendar)) {
            if (group.main && icalcomponent_get_status(group.main) == ICAL_STATUS_CANCELLED) {
                m_report.skipped.push_back(Named(group.main) + ": cancelled");
                continue;
            }
            if (group.main)
                calendartally::AddUnkept(group.main, m_report.unmapped);
            for (icalcomponent* changed : group.changed)
                calendartally::AddUnkept(changed, m_report.unmapped);
            Events(calendarevent::Read(group, calendar), group);
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
            if (AddTask(std::move(task)))
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
    // A series with its changed occurrences, tied to it by its new ID, or a single event.
    void Events(calendarevent::EventRecords read, const calendarevent::EventGroup& group) {
        for (std::string& note : read.notes)
            m_report.notes.push_back(std::move(note));
        if (group.main && !read.main) {
            m_report.skipped.push_back(Named(group.main) + ": " + read.reason);
            return;
        }
        if (read.main && InWindow(*read.main)) {
            if (m_present.Held(*read.main)) {
                // Its changed occurrences came with it before.
                m_report.alreadyPresent += 1 + static_cast<int>(read.changed.size());
            } else if (const std::optional<int> id = Add(std::move(*read.main))) {
                for (Appointment& changed : read.changed) {
                    changed.SeriesID = *id;
                    Add(std::move(changed));
                }
            }
        }
        for (Appointment& single : read.extra) {
            if (!InWindow(single))
                continue;
            if (m_present.Held(single))
                ++m_report.alreadyPresent;
            else
                Add(std::move(single));
        }
    }

    std::optional<int> Add(Appointment appointment) {
        const std::optional<int> id = m_document.Add(std::move(appointment));
        if (!id)
            m_full = true;
        ++m_report.appointments;
        return id;
    }

    // With a window, only what has an occurrence in it.
    bool InWindow(const Appointment& appointment) const {
        if (!m_options.windowAll)
            return true;
        return !AppointmentOccurrences(appointment)
                    .Covering(CalendarDate::Of(m_options.from), CalendarDate::Of(m_options.to))
                    .empty();
    }

    // True when the task was added.
    bool AddTask(Task task) {
        if (m_present.Held(task)) {
            ++m_report.alreadyPresent;
            return false;
        }
        if (!m_document.Add(std::move(task)))
            m_full = true;
        ++m_report.tasks;
        return true;
    }

    static std::string Named(icalcomponent* event) {
        const char* summary = icalcomponent_get_summary(event);
        const DateTime start = calendarevent::LocalTime(
            calendarevent::ZonedTime(event, ICAL_DTSTART_PROPERTY, icalcomponent_get_dtstart(event)));
        const std::string name = "\"" + exchangetext::ToUtf8(summary ? summary : "") + "\"";
        return start.IsValid() ? name + " (" + start.Format("%Y-%m-%d %H:%M") + ")" : name;
    }

    PimDocument& m_document;
    const ImportOptions& m_options;
    ExchangeReport m_report{ExchangeReport::Kind::Calendar};
    const DuplicateIndex m_present;
    DocumentBatch m_batch;
    bool m_full = false;
    std::set<std::string> m_unknownZones;
};

bool withinDays(const DateTime& day, const ExportOptions& options) {
    return (!options.from.IsValid() || day.Date() >= options.from) &&
           (!options.to.IsValid() || day.Date() <= options.to);
}

// An appointment with an occurrence on the days (a series that runs into them).
bool withinDays(const Appointment& appointment, const ExportOptions& options) {
    if (!appointment.Repeats())
        return withinDays(appointment.DueDate, options);
    if (!options.from.IsValid() || !options.to.IsValid()) {
        const AppointmentOccurrences occurrences(appointment);
        return options.to.IsValid() ? occurrences.FirstDay() <= CalendarDate::Of(options.to)
                                    : !occurrences.LastDay().IsValid() || !options.from.IsValid() ||
                                          occurrences.LastDay() >= CalendarDate::Of(options.from);
    }
    return !AppointmentOccurrences(appointment)
                .Covering(CalendarDate::Of(options.from), CalendarDate::Of(options.to))
                .empty();
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
    calendarevent::EventWriter writer(utc, stamp);
    const auto& appointments = document.Appointments();
    // A changed occurrence goes out under its series' UID, right after it.
    std::map<int, std::vector<const Appointment*>> changedOf;
    for (const auto& [id, appointment] : appointments)
        if (appointment.IsChangedOccurrence() && appointments.Find(appointment.SeriesID))
            changedOf[appointment.SeriesID].push_back(&appointment);
    std::vector<icalcomponent*> items;
    for (const auto& [id, appointment] : appointments) {
        if ((appointment.IsChangedOccurrence() && appointments.Find(appointment.SeriesID)) ||
            !withinDays(appointment, options))
            continue;
        const std::string uid = recorduid::Uid(key, RecordKind::Appointment, id);
        items.push_back(calendaritems::NewEvent(appointment, uid, writer));
        const auto changed = changedOf.find(id);
        for (const Appointment* occurrence :
             changed == changedOf.end() ? std::vector<const Appointment*>() : changed->second)
            items.push_back(calendaritems::NewEvent(*occurrence, uid, writer, &appointment));
    }
    for (const auto& [id, task] : document.Tasks()) {
        if (!withinDays(task.DueDate, options))
            continue;
        const std::string uid = recorduid::Uid(key, RecordKind::Task, id);
        items.push_back(calendaritems::NewTodo(task, uid, utc, stamp));
    }
    Component calendar(calendaritems::NewCalendar());
    writer.AddZones(calendar.get());
    for (icalcomponent* item : items)
        icalcomponent_add_component(calendar.get(), item);
    if (written)
        *written = static_cast<int>(items.size());
    return calendaritems::Text(calendar.get());
}

ExchangeReport ExportFile(const PimDocument& document, const QString& path, const ExportOptions& options) {
    ExchangeReport report(ExchangeReport::Kind::Calendar);
    report.Write(path, ExportText(document, options, &report.written));
    return report;
}

} // namespace calendarexchange
