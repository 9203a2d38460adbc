#include "RecordText.h"

#include "exchange/CalendarEvent.h"
#include "exchange/CalendarItems.h"
#include "exchange/PersonCard.h"
#include "exchange/VCardReader.h"

#include <QCryptographicHash>

#include <memory>

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

recordtext::ServerObject skip(QString name, QString reason) {
    ServerObject object;
    object.name = std::move(name);
    object.reason = std::move(reason);
    return object;
}

ServerObject readEvent(icalcomponent* calendar, icalcomponent* event) {
    const char* summary = icalcomponent_get_summary(event);
    const QString name = QString::fromUtf8(summary ? summary : "");
    if (icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
        icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) ||
        icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT) > 1)
        return skip(name, QStringLiteral("a recurring event"));
    const std::vector<calendarevent::Occurrence> occurrences =
        calendarevent::Occurrences(event, calendar, DateTime::Today(), DateTime::Today(), {}, false);
    if (occurrences.size() != 1)
        return skip(name, QStringLiteral("no time this program can hold"));
    if (occurrences.front().allDay)
        return skip(name, QStringLiteral("an all-day event"));
    std::string reason;
    std::optional<Appointment> appointment = calendarevent::ToAppointment(occurrences.front(), reason);
    if (!appointment)
        return skip(name, QString::fromStdString(reason));
    ServerObject object;
    object.kind = ServerObject::Kind::Appointment;
    object.appointment = std::move(*appointment);
    object.name = nameOf(object.appointment.Description);
    return object;
}

} // namespace

std::string Render(const Person& person, const std::string& uid) {
    return personcard::ToText(person, uid, VCardVersion::V30);
}

std::string Render(const Appointment& appointment, const std::string& uid) {
    return calendaritems::EventCalendarText(appointment, uid);
}

std::string Render(const Task& task, const std::string& uid) {
    return calendaritems::TodoCalendarText(task, uid);
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
           << p.Notes << double(p.WhitePages) << double(p.YellowPages);
    return fields.Result();
}

QByteArray Fingerprint(const Appointment& a) {
    Fields fields;
    fields << a.Description << a.DueDate << a.StartTime << a.EndTime << double(a.Alarm) << a.AlarmTime
           << double(a.Done);
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
    object.kind = ServerObject::Kind::Person;
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
        object = readEvent(calendar.get(), item);
    } else if ((item = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT))) {
        object.kind = ServerObject::Kind::Task;
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
