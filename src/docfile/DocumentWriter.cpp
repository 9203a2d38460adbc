#include "DocumentWriter.h"

#include "core/PimRecords.h"

#include <array>
#include <charconv>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The replacement of each byte that cannot stand as it is inside an attribute value.
constexpr std::string_view replacementFor(unsigned char byte) {
    switch (byte) {
    case '"':
        return "&quot;";
    case '&':
        return "&amp;";
    case '\'':
        return "&apos;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '\r':
        return "&#13;";
    case '\n':
        return "&#10;";
    default:
        return {};
    }
}

constexpr std::array<bool, 256> makeSpecialTable() {
    std::array<bool, 256> table{};
    // A NUL has no replacement and is left out: the reader stops at the first NUL of a file, so
    // one written there would lose everything after it.
    for (int byte = 0; byte < 256; ++byte)
        table[static_cast<std::size_t>(byte)] = byte == 0 || !replacementFor(static_cast<unsigned char>(byte)).empty();
    return table;
}

constexpr std::array<bool, 256> kSpecial = makeSpecialTable();

// A generous guess at the file's size from typical line lengths, so that the buffer grows at most
// once or twice.
std::size_t estimateSize(const PimRecords& records) {
    return 1024 + records.Tasks.Count() * 128 + records.Persons.Count() * 512 + records.Appointments.Count() * 224;
}

} // namespace

void EscapeXmlText(std::string_view text, std::string& out) {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!kSpecial[byte])
            continue;
        out.append(text.data() + runStart, i - runStart);
        out.append(replacementFor(byte));
        runStart = i + 1;
    }
    out.append(text.data() + runStart, text.size() - runStart);
}

std::string EscapeXmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    EscapeXmlText(text, out);
    return out;
}

std::string DocumentWriter::Write(const PimRecords& records) {
    std::string out;
    out.reserve(estimateSize(records));
    DocumentWriter writer(out);
    writer.Line("<?xml version=\"1.0\"?>");
    // A document that was never synchronised has no identity and keeps its root line as it was.
    if (records.Identity.empty())
        writer.Line("<Pim Version=\"1\">");
    else
        writer.Line("<Pim Version=\"1\" Identity=\"" + EscapeXmlText(records.Identity) + "\">");
    writer.WriteTasks(records);
    writer.WritePersons(records);
    writer.WriteAppointments(records);
    writer.WriteUser(records);
    writer.Line("</Pim>");
    return out;
}

void DocumentWriter::Line(std::string_view text) {
    m_out.append(text);
    m_out.append(kLineEnd);
}

void DocumentWriter::Text(std::string_view name, std::string_view value) {
    m_out.push_back(' ');
    m_out.append(name);
    m_out.append("=\"");
    EscapeXmlText(value, m_out);
    m_out.push_back('"');
}

void DocumentWriter::Number(std::string_view name, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    m_out.push_back(' ');
    m_out.append(name);
    m_out.append("=\"");
    m_out.append(digits, result.ptr);
    m_out.push_back('"');
}

void DocumentWriter::Seconds(std::string_view name, const DateTime& value) {
    Number(name, m_seconds(value));
}

void DocumentWriter::OpenCollection(std::string_view name, int lastId) {
    m_out.append("\t<");
    m_out.append(name);
    Number("LastID", lastId);
    m_out.push_back('>');
    m_out.append(kLineEnd);
}

void DocumentWriter::WriteTasks(const PimRecords& records) {
    OpenCollection("Tasks", records.Tasks.LastID());
    for (const auto& [id, task] : records.Tasks) {
        // Dates that cannot be written as seconds become today. Today is taken once per line, and
        // only when a line needs it: asking the clock costs as much as writing the line.
        std::int64_t today = -1;
        const auto secondsOrToday = [this, &today](const DateTime& value) {
            const std::int64_t seconds = m_seconds(value);
            if (seconds != -1)
                return seconds;
            if (today == -1)
                today = m_seconds(DateTime::Today());
            return today;
        };
        m_out.append("\t\t<Task");
        Number("ID", task.ID);
        Text("Description", task.Description);
        Number("Priority", task.Priority);
        Number("DueDate", secondsOrToday(task.DueDate));
        Number("DoneDate", task.Priority == Task::Done ? secondsOrToday(task.DoneDate) : 0);
        if (task.IcalPriority != 0) // only when used, so that other files are written as before
            Number("IcalPriority", task.IcalPriority);
        m_out.append(" />");
        m_out.append(kLineEnd);
    }
    Line("\t</Tasks>");
}

void DocumentWriter::WritePersons(const PimRecords& records) {
    OpenCollection("Persons", records.Persons.LastID());
    for (const auto& [id, person] : records.Persons) {
        m_out.append("\t\t<Person");
        Number("ID", person.ID);
        Text("FName", person.FName);
        Text("LName", person.LName);
        Text("RName", person.RName);
        Text("Company", person.Company);
        Text("Position", person.Position);
        Text("Addr1", person.Addr1);
        Text("Addr2", person.Addr2);
        Text("City", person.City);
        Text("State", person.State);
        Text("Zip", person.Zip);
        Flag("YellowPages", person.YellowPages != 0);
        Flag("WhitePages", person.WhitePages != 0);
        Text("Notes", person.Notes);
        Text("HmPhone", person.HmPhone);
        Text("WkPhone", person.WkPhone);
        Text("WkExt", person.WkExt);
        Text("Fax", person.Fax);
        Text("CelPhone", person.CelPhone);
        Text("Pager", person.Pager);
        Text("EMail", person.EMail);
        Text("WebPage", person.WebPage);
        if (!person.CardOrg.empty()) // only when used, so that other files are written as before
            Text("CardOrg", person.CardOrg);
        if (!person.Birthday.empty())
            Text("Birthday", person.Birthday);
        if (!person.Anniversary.empty())
            Text("Anniversary", person.Anniversary);
        m_out.append(" />");
        m_out.append(kLineEnd);
    }
    Line("\t</Persons>");
}

void DocumentWriter::WriteAppointments(const PimRecords& records) {
    OpenCollection("Appointments", records.Appointments.LastID());
    for (const auto& [id, appointment] : records.Appointments) {
        m_out.append("\t\t<Appointment");
        Number("ID", appointment.ID);
        Text("Description", appointment.Description);
        Seconds("DueDate", appointment.DueDate);
        Seconds("StartTime", appointment.StartTime);
        Seconds("EndTime", appointment.EndTime);
        Flag("Alarm", appointment.Alarm != 0);
        Number("AlarmTime", appointment.Alarm ? m_seconds(appointment.AlarmTime) : 0);
        Flag("Done", appointment.Done != 0);
        WriteOptional(appointment);
        m_out.append(" />");
        m_out.append(kLineEnd);
    }
    Line("\t</Appointments>");
}

// The fields older files do not have, each only when it holds something: a file that uses none of
// them is written as it always was.
void DocumentWriter::WriteOptional(const Appointment& appointment) {
    if (appointment.AllDay)
        Flag("AllDay", true);
    if (appointment.EndDate.IsValid())
        Text("EndDate", appointment.EndDate.Compact());
    if (!appointment.TimeZone.empty())
        Text("TimeZone", appointment.TimeZone);
    if (!appointment.RRule.empty())
        Text("RRule", appointment.RRule);
    Days("ExDates", appointment.ExDates);
    Days("RDates", appointment.RDates);
    if (appointment.SeriesID != 0)
        Number("SeriesID", appointment.SeriesID);
    if (appointment.OriginalDate.IsValid())
        Text("OriginalDate", appointment.OriginalDate.Compact());
}

// Calendar dates separated by commas, only when there are any.
void DocumentWriter::Days(std::string_view name, const std::vector<CalendarDate>& days) {
    std::string text;
    for (const CalendarDate& day : days) {
        if (!day.IsValid())
            continue;
        if (!text.empty())
            text.push_back(',');
        text += day.Compact();
    }
    if (!text.empty())
        Text(name, text);
}

void DocumentWriter::WriteUser(const PimRecords& records) {
    const ::User& user = records.User;
    // The owner's line has two blanks after its name.
    m_out.append("\t<User ");
    Text("FName", user.FName);
    Text("LName", user.LName);
    Text("Company", user.Company);
    Text("Position", user.Position);
    Text("Addr1", user.Addr1);
    Text("Addr2", user.Addr2);
    Text("City", user.City);
    Text("State", user.State);
    Text("Zip", user.Zip);
    m_out.append(" />");
    m_out.append(kLineEnd);
}
