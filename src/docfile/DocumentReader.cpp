#include "DocumentReader.h"

#include "SimpleXMLParser.h"
#include "core/PimRecords.h"

#include <limits>
#include <span>
#include <string>

namespace {

using SimpleXMLParser::Element;
using SimpleXMLParser::Node;

bool isFlagSet(std::string_view value) {
    return value == "1";
}

// Text never holds a NUL byte; a character reference to 0 in a hostile file is dropped.
void assignText(std::string& field, std::string_view value) {
    if (value.find('\0') == std::string_view::npos) {
        field.assign(value);
        return;
    }
    field.clear();
    for (char byte : value)
        if (byte != '\0')
            field.push_back(byte);
}

DateTime readDate(std::string_view value) {
    return DateTime::FromSeconds(DocumentReader::ReadInteger64(value));
}

// A calendar date as "YYYYMMDD"; anything else leaves none.
CalendarDate readDay(std::string_view value) {
    return CalendarDate::Parse(value).value_or(CalendarDate());
}

// Calendar dates separated by commas; what does not read as one is left out.
std::vector<CalendarDate> readDays(std::string_view value) {
    std::vector<CalendarDate> days;
    while (!value.empty()) {
        const std::size_t comma = value.find(',');
        if (const std::optional<CalendarDate> day = CalendarDate::Parse(value.substr(0, comma)))
            days.push_back(*day);
        value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
    }
    return days;
}

// One field of a record kind: the name it has in the file and how its value is stored.
template <class Record> struct Field {
    std::string_view name;
    void (*set)(Record& record, std::string_view value);
};

#define TEXT_FIELD(Record, Name)                                                                                       \
    {                                                                                                                  \
#Name, [](Record & r, std::string_view v) { assignText(r.Name, v); }                                           \
    }
#define INT_FIELD(Record, Name)                                                                                        \
    {                                                                                                                  \
#Name, [](Record & r, std::string_view v) { r.Name = DocumentReader::ReadInteger(v); }                         \
    }
#define FLAG_FIELD(Record, Name)                                                                                       \
    {                                                                                                                  \
#Name, [](Record & r, std::string_view v) { r.Name = isFlagSet(v) ? 1 : 0; }                                   \
    }
#define DATE_FIELD(Record, Name)                                                                                       \
    {                                                                                                                  \
#Name, [](Record & r, std::string_view v) { r.Name = readDate(v); }                                            \
    }
#define DAY_FIELD(Record, Name)                                                                                        \
    {                                                                                                                  \
#Name, [](Record & r, std::string_view v) { r.Name = readDay(v); }                                             \
    }

const Field<Person> kPersonFields[] = {
    INT_FIELD(Person, ID),           TEXT_FIELD(Person, FName),   TEXT_FIELD(Person, LName),
    TEXT_FIELD(Person, RName),       TEXT_FIELD(Person, Company), TEXT_FIELD(Person, Position),
    TEXT_FIELD(Person, Addr1),       TEXT_FIELD(Person, Addr2),   TEXT_FIELD(Person, City),
    TEXT_FIELD(Person, State),       TEXT_FIELD(Person, Zip),     FLAG_FIELD(Person, YellowPages),
    FLAG_FIELD(Person, WhitePages),  TEXT_FIELD(Person, Notes),   TEXT_FIELD(Person, HmPhone),
    TEXT_FIELD(Person, WkPhone),     TEXT_FIELD(Person, WkExt),   TEXT_FIELD(Person, Fax),
    TEXT_FIELD(Person, CelPhone),    TEXT_FIELD(Person, Pager),   TEXT_FIELD(Person, EMail),
    TEXT_FIELD(Person, WebPage),     TEXT_FIELD(Person, CardOrg), TEXT_FIELD(Person, Birthday),
    TEXT_FIELD(Person, Anniversary),
};

const Field<Task> kTaskFields[] = {
    INT_FIELD(Task, ID),       TEXT_FIELD(Task, Description), INT_FIELD(Task, Priority),
    DATE_FIELD(Task, DueDate), DATE_FIELD(Task, DoneDate),    INT_FIELD(Task, IcalPriority),
};

const Field<Appointment> kAppointmentFields[] = {
    INT_FIELD(Appointment, ID),
    TEXT_FIELD(Appointment, Description),
    DATE_FIELD(Appointment, DueDate),
    DATE_FIELD(Appointment, StartTime),
    DATE_FIELD(Appointment, EndTime),
    FLAG_FIELD(Appointment, Alarm),
    DATE_FIELD(Appointment, AlarmTime),
    FLAG_FIELD(Appointment, Done),
    // Written only when used; see resetOptional.
    FLAG_FIELD(Appointment, AllDay),
    DAY_FIELD(Appointment, EndDate),
    TEXT_FIELD(Appointment, TimeZone),
    TEXT_FIELD(Appointment, RRule),
    {"ExDates", [](Appointment& r, std::string_view v) { r.ExDates = readDays(v); }},
    {"RDates", [](Appointment& r, std::string_view v) { r.RDates = readDays(v); }},
    INT_FIELD(Appointment, SeriesID),
    DAY_FIELD(Appointment, OriginalDate),
};

const Field<User> kUserFields[] = {
    TEXT_FIELD(User, FName),    TEXT_FIELD(User, LName), TEXT_FIELD(User, Company),
    TEXT_FIELD(User, Position), TEXT_FIELD(User, Addr1), TEXT_FIELD(User, Addr2),
    TEXT_FIELD(User, City),     TEXT_FIELD(User, State), TEXT_FIELD(User, Zip),
};

#undef TEXT_FIELD
#undef INT_FIELD
#undef FLAG_FIELD
#undef DATE_FIELD
#undef DAY_FIELD

// A field the writer leaves out when unused must not carry over from the record before, as the
// fields every record names do: an appointment after a series would repeat too. Person's CardOrg,
// Birthday and Anniversary and Task's IcalPriority are such fields.
template <class Record> void resetOptional(Record& /*record*/) {}
template <> void resetOptional(Person& record) {
    record.CardOrg.clear();
    record.Birthday.clear();
    record.Anniversary.clear();
}
template <> void resetOptional(Task& record) {
    record.IcalPriority = 0;
}
template <> void resetOptional(Appointment& record) {
    record.AllDay = 0;
    record.EndDate = CalendarDate();
    record.TimeZone.clear();
    record.RRule.clear();
    record.ExDates.clear();
    record.RDates.clear();
    record.SeriesID = 0;
    record.OriginalDate = CalendarDate();
}

// Sets the field called name, if the record kind has one. Files list the fields in the order the
// table has them, so the search starts after the field found last and usually hits at once.
template <class Record> class FieldSetter {
public:
    explicit FieldSetter(std::span<const Field<Record>> fields) : m_fields(fields) {}

    void Set(Record& record, std::string_view name, std::string_view value) {
        const std::size_t count = m_fields.size();
        for (std::size_t step = 0; step < count; ++step) {
            const std::size_t i = (m_next + step) % count;
            if (m_fields[i].name == name) {
                m_fields[i].set(record, value);
                m_next = (i + 1) % count;
                return;
            }
        }
    }

private:
    std::span<const Field<Record>> m_fields;
    std::size_t m_next = 0;
};

const Element* asElement(const Node& node) {
    return dynamic_cast<const Element*>(&node);
}

enum class Layout { Attributes, ChildElements };

// Reads the fields a node carries into the record: its attributes, or (older layout) its ID
// attribute and the text of its child elements.
template <class Record>
void readFields(const Element& element, Layout layout, FieldSetter<Record>& setter, Record& record) {
    if (const auto* attributes = element.GetAttributes()) {
        for (const auto& attribute : *attributes)
            if (layout == Layout::Attributes || attribute.Name() == "ID")
                setter.Set(record, attribute.Name(), attribute.Value());
    }
    if (layout != Layout::ChildElements)
        return;
    if (const auto* children = element.GetChildren()) {
        for (const auto& child : *children)
            if (asElement(*child))
                setter.Set(record, child->Name(), child->Text());
    }
}

template <class Record>
void readCollection(const Element& collection, Layout layout, std::span<const Field<Record>> fields,
                    RecordCollection<Record>& target) {
    if (const auto* attributes = collection.GetAttributes()) {
        for (const auto& attribute : *attributes)
            if (attribute.Name() == "LastID")
                target.SetLastID(DocumentReader::ReadInteger(attribute.Value()));
    }
    const auto* children = collection.GetChildren();
    if (!children)
        return;
    // One record for the whole collection element: a field a record element leaves out keeps the
    // value the element before it gave.
    Record record;
    FieldSetter<Record> setter(fields);
    for (const auto& child : *children) {
        const Element* element = asElement(*child);
        // A comment or an element that names no field at all is not a record.
        if (!element || (!element->GetAttributes() && !element->GetChildren()))
            continue;
        resetOptional(record);
        readFields(*element, layout, setter, record);
        target.InsertLoaded(record);
    }
}

void readUser(const Element& element, Layout layout, ::User& user) {
    FieldSetter<::User> setter(kUserFields);
    if (layout == Layout::Attributes) {
        if (const auto* attributes = element.GetAttributes())
            for (const auto& attribute : *attributes)
                setter.Set(user, attribute.Name(), attribute.Value());
        return;
    }
    if (const auto* children = element.GetChildren())
        for (const auto& child : *children)
            if (asElement(*child))
                setter.Set(user, child->Name(), child->Text());
}

} // namespace

bool DocumentReader::Read(const Element& root, PimRecords& records) {
    if (root.Name() != "Pim")
        return false;
    int version = 0;
    if (const auto* attributes = root.GetAttributes()) {
        for (const auto& attribute : *attributes) {
            if (attribute.Name() == "Version")
                version = ReadInteger(attribute.Value());
            else if (attribute.Name() == "Identity")
                assignText(records.Identity, attribute.Value());
        }
    }
    Layout layout;
    if (version == 1)
        layout = Layout::Attributes;
    else if (version == 13)
        layout = Layout::ChildElements;
    else
        return false;
    const auto* children = root.GetChildren();
    if (!children)
        return true;
    for (const auto& child : *children) {
        const Element* element = asElement(*child);
        if (!element)
            continue;
        const std::string_view name = element->Name();
        if (name == "Persons")
            readCollection<Person>(*element, layout, kPersonFields, records.Persons);
        else if (name == "Appointments")
            readCollection<Appointment>(*element, layout, kAppointmentFields, records.Appointments);
        else if (name == "Tasks")
            readCollection<Task>(*element, layout, kTaskFields, records.Tasks);
        else if (name == "User")
            readUser(*element, layout, records.User);
    }
    return true;
}

std::int64_t DocumentReader::ReadInteger64(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated negatively, so that the lowest value fits too.
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value < (lowest + digit) / 10)
            overflow = true;
        else
            value = value * 10 - digit;
    }
    if (overflow)
        return negative ? lowest : std::numeric_limits<std::int64_t>::max();
    if (!negative)
        return value == lowest ? std::numeric_limits<std::int64_t>::max() : -value;
    return value;
}

int DocumentReader::ReadInteger(std::string_view text) {
    const std::int64_t value = ReadInteger64(text);
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}
