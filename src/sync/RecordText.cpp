#include "RecordText.h"

#include "exchange/CalendarEvent.h"
#include "exchange/CalendarItems.h"
#include "exchange/PersonCard.h"
#include "exchange/TextEncoding.h"
#include "exchange/VCardReader.h"

#include <QCryptographicHash>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace recordtext {

namespace {

// Lines that say nothing about the record itself.
bool isStampLine(std::string_view line) {
    for (std::string_view name : {"UID:", "DTSTAMP:", "PRODID:"})
        if (line.substr(0, name.size()) == name)
            return true;
    return false;
}

struct CalendarFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Calendar = std::unique_ptr<icalcomponent, CalendarFree>;

QString nameOf(const std::string& text) {
    return QString::fromStdString(text).simplified();
}

// One field's text as UTF-8 with one LF for each line break.
std::string serverText(const std::string& field) {
    const std::string utf8 = exchangetext::ToUtf8(field);
    if (utf8.find('\r') == std::string::npos)
        return utf8;
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            out.push_back(utf8[i]);
            continue;
        }
        // CR LF, and the CR CR LF an older program wrote for it, are one break.
        while (i + 1 < utf8.size() && utf8[i + 1] == '\r')
            ++i;
        if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
            ++i;
        out.push_back('\n');
    }
    return out;
}

recordtext::ServerObject skip(QString name, QString reason) {
    ServerObject object;
    object.name = std::move(name);
    object.reason = std::move(reason);
    return object;
}

// The object's event, or series with its changed occurrences and added dates. A date an RDATE adds
// at another time of day, or as a period, has no place in one record: such an object is left on
// the server.
ServerObject readEvent(icalcomponent* calendar, const calendarevent::EventGroup& group) {
    icalcomponent* first = group.main ? group.main : group.changed.front();
    const char* summary = icalcomponent_get_summary(first);
    const QString name = QString::fromUtf8(summary ? summary : "");
    if (!group.main)
        return skip(name, QStringLiteral("changed occurrences without their series"));
    calendarevent::EventRecords read = calendarevent::Read(group, calendar);
    if (!read.main)
        return skip(name, QString::fromStdString(read.reason));
    if (!read.extra.empty())
        return skip(name, QStringLiteral("a series with dates added at another time of day (RDATE)"));
    ServerObject object;
    object.kind = RecordKind::Appointment;
    object.appointment = std::move(*read.main);
    object.changed = std::move(read.changed);
    std::stable_sort(object.changed.begin(), object.changed.end(),
                     [](const Appointment& a, const Appointment& b) { return a.OriginalDate < b.OriginalDate; });
    object.name = nameOf(object.appointment.Description);
    return object;
}

} // namespace

Person ForServer(const Person& person) {
    Person p = person;
    for (std::string* field :
         {&p.FName, &p.LName, &p.RName, &p.Company, &p.Position, &p.Addr1, &p.Addr2, &p.City, &p.State, &p.Zip,
          &p.HmPhone, &p.WkPhone, &p.WkExt, &p.Fax, &p.Pager, &p.CelPhone, &p.EMail, &p.WebPage, &p.Notes})
        *field = serverText(*field);
    return p;
}

Appointment ForServer(const Appointment& appointment) {
    Appointment a = appointment;
    a.Description = serverText(a.Description);
    return a;
}

Task ForServer(const Task& task) {
    Task t = task;
    t.Description = serverText(t.Description);
    return t;
}

std::string Render(const Person& person, const std::string& uid) {
    return personcard::ToText(ForServer(person), uid, VCardVersion::V30);
}

std::string Render(const Appointment& appointment, const std::string& uid, const std::vector<Appointment>& changed) {
    std::vector<Appointment> forServer;
    forServer.reserve(changed.size());
    for (const Appointment& occurrence : changed)
        forServer.push_back(ForServer(occurrence));
    return calendaritems::EventCalendarText(ForServer(appointment), uid, forServer);
}

std::string Render(const Appointment& appointment, const std::string& uid, const SeriesChanges& changes) {
    return Render(appointment, uid, changes.Of(appointment.ID));
}

SeriesChanges::SeriesChanges(const PimRecords& records) {
    for (const auto& [id, appointment] : records.Appointments)
        if (InsideSeries(appointment, records))
            m_changed[appointment.SeriesID].push_back(appointment);
    for (auto& [series, changed] : m_changed)
        std::stable_sort(changed.begin(), changed.end(),
                         [](const Appointment& a, const Appointment& b) { return a.OriginalDate < b.OriginalDate; });
}

const std::vector<Appointment>& SeriesChanges::Of(int seriesId) const {
    static const std::vector<Appointment> none;
    const auto found = m_changed.find(seriesId);
    return found == m_changed.end() ? none : found->second;
}

bool SeriesChanges::InsideSeries(const Appointment& appointment, const PimRecords& records) {
    if (!appointment.IsChangedOccurrence() || appointment.SeriesID == appointment.ID)
        return false;
    const Appointment* series = records.Appointments.Find(appointment.SeriesID);
    return series && series->Repeats();
}

QByteArray LocalHash(const Appointment& appointment, const SeriesChanges& changes) {
    const std::vector<Appointment>& changed = changes.Of(appointment.ID);
    if (changed.empty())
        return LocalHash(appointment);
    std::vector<Appointment> changedBack;
    if (const std::optional<Appointment> back = RoundTrip(appointment, changed, changedBack))
        return ContentHash(Render(*back, std::string(), changedBack));
    return ContentHash(Render(appointment, std::string(), changed));
}

QByteArray Fingerprint(const Appointment& appointment, const SeriesChanges& changes) {
    QByteArray print = Fingerprint(appointment);
    for (const Appointment& occurrence : changes.Of(appointment.ID))
        print += Fingerprint(occurrence);
    return print;
}

std::string Render(const Task& task, const std::string& uid) {
    return calendaritems::TodoCalendarText(ForServer(task), uid);
}

QByteArray ServerObject::RecordHash() const {
    if (!kind)
        return {};
    if (*kind == RecordKind::Appointment && !changed.empty())
        return ContentHash(Render(appointment, std::string(), changed));
    return VisitRecordKind(*kind, [this](auto* type) {
        using Record = std::remove_pointer_t<decltype(type)>;
        return Hash(Get<Record>());
    });
}

namespace {
template <class Record> std::optional<Record> roundTrip(const Record& record, bool card) {
    const ServerObject object = Read(QByteArray::fromStdString(Render(record, std::string())), card);
    if (object.kind != RecordTraits<Record>::Kind)
        return std::nullopt;
    Record back = object.Get<Record>();
    back.ID = record.ID;
    return back;
}
} // namespace

std::optional<Person> RoundTrip(const Person& person) {
    return roundTrip(person, true);
}

std::optional<Appointment> RoundTrip(const Appointment& appointment) {
    return roundTrip(appointment, false);
}

std::optional<Appointment> RoundTrip(const Appointment& appointment, const std::vector<Appointment>& changed,
                                     std::vector<Appointment>& changedBack) {
    // A UID of some kind, which ties the changed occurrences to their series.
    const ServerObject object = ReadCalendar(QByteArray::fromStdString(Render(appointment, "round-trip", changed)));
    if (object.kind != RecordKind::Appointment)
        return std::nullopt;
    Appointment back = object.appointment;
    back.ID = appointment.ID;
    changedBack = object.changed;
    return back;
}

std::optional<Task> RoundTrip(const Task& task) {
    return roundTrip(task, false);
}

QByteArray ContentHash(std::string_view text) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    bool skipping = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
        text.remove_prefix(line.size());
        // A folded line goes with the one it continues.
        const bool continuation = line.front() == ' ' || line.front() == '\t';
        if (!continuation)
            skipping = isStampLine(line);
        if (!skipping)
            hash.addData(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    }
    return hash.result().toBase64();
}

namespace {

class Fields {
public:
    Fields& operator<<(const std::string& text) {
        m_hash.addData(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
        m_hash.addData(QByteArrayView("\0", 1));
        return *this;
    }
    Fields& operator<<(double value) {
        m_hash.addData(QByteArrayView(reinterpret_cast<const char*>(&value), sizeof value));
        return *this;
    }
    Fields& operator<<(const DateTime& time) { return *this << time.Value(); }
    QByteArray Result() const { return m_hash.result().toBase64(); }

private:
    QCryptographicHash m_hash{QCryptographicHash::Sha1};
};

} // namespace

QByteArray Fingerprint(const Person& p) {
    Fields fields;
    fields << p.FName << p.LName << p.RName << p.Company << p.Position << p.Addr1 << p.Addr2 << p.City << p.State
           << p.Zip << p.HmPhone << p.WkPhone << p.WkExt << p.Fax << p.Pager << p.CelPhone << p.EMail << p.WebPage
           << p.Notes << double(p.WhitePages) << double(p.YellowPages) << p.Birthday << p.Anniversary;
    return fields.Result();
}

QByteArray Fingerprint(const Appointment& a) {
    Fields fields;
    fields << a.Description << a.DueDate << a.StartTime << a.EndTime << double(a.Alarm) << a.AlarmTime << double(a.Done)
           << double(a.AllDay) << double(a.EndDate.DayNumber()) << a.TimeZone << a.RRule << double(a.SeriesID)
           << double(a.OriginalDate.DayNumber());
    for (const CalendarDate& day : a.ExDates)
        fields << double(day.DayNumber());
    if (!a.RDates.empty()) { // only then, so that a fingerprint kept from before stays the same
        fields << std::string("RDates");
        for (const CalendarDate& day : a.RDates)
            fields << double(day.DayNumber());
    }
    return fields.Result();
}

QByteArray Fingerprint(const Task& t) {
    Fields fields;
    fields << t.Description << double(t.Priority) << t.DueDate << t.DoneDate;
    return fields.Result();
}

ServerObject ReadCard(const QByteArray& data) {
    const std::vector<VCard> cards = ReadVCards(std::string_view(data.constData(), data.size()));
    if (cards.empty())
        return skip(QString(), QStringLiteral("not a vCard"));
    ServerObject object;
    if (!personcard::Read(cards.front(), object.person, nullptr))
        return skip(QString(), QStringLiteral("a card that names no one"));
    object.kind = RecordKind::Person;
    object.name = nameOf(DisplayName(object.person));
    for (const VCardProperty& property : cards.front().properties)
        if (property.name == "UID")
            object.uid = property.Text();
    return object;
}

ServerObject ReadCalendar(const QByteArray& data) {
    Calendar calendar(icalparser_parse_string(data.constData()));
    if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT)
        return skip(QString(), QStringLiteral("not an iCalendar object"));
    ServerObject object;
    icalcomponent* item = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
    if (item) {
        const std::vector<calendarevent::EventGroup> groups = calendarevent::GroupEvents(calendar.get());
        if (groups.size() > 1)
            return skip(QString::fromUtf8(icalcomponent_get_summary(item) ? icalcomponent_get_summary(item) : ""),
                        QStringLiteral("events of several UIDs in one object"));
        object = readEvent(calendar.get(), groups.front());
    } else if ((item = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT))) {
        object.kind = RecordKind::Task;
        object.task = calendaritems::ReadTodo(item, DateTime::Today());
        object.name = nameOf(object.task.Description);
    } else {
        return skip(QString(), QStringLiteral("neither an event nor a to-do"));
    }
    if (const char* uid = icalcomponent_get_uid(item))
        object.uid = uid;
    return object;
}

} // namespace recordtext
