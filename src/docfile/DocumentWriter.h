#pragma once

#include "LocalSeconds.h"
#include "core/CalendarDate.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PimRecords;
class DateTime;
struct Appointment;

// Appends text as it may stand inside a double-quoted attribute value: the five markup characters
// become &quot; &amp; &apos; &lt; &gt;, and CR and LF become &#13; and &#10; so that line breaks
// inside a value read back exactly. NUL bytes are left out (text never holds them, and a file
// ends at its first NUL). Every other byte goes out unchanged.
void EscapeXmlText(std::string_view text, std::string& out);
std::string EscapeXmlText(std::string_view text);

// Produces the document file text (layout Version 1) in one buffer: CR LF line ends, TAB
// indentation, the sections Tasks, Persons, Appointments and User in that order, attributes in
// their fixed order, dates as seconds since 1970.
class DocumentWriter {
public:
    static std::string Write(const PimRecords& records);

private:
    explicit DocumentWriter(std::string& out) : m_out(out) {}

    void Line(std::string_view text);
    void Text(std::string_view name, std::string_view value);
    void Number(std::string_view name, std::int64_t value);
    void Flag(std::string_view name, bool set) { Number(name, set ? 1 : 0); }
    void Seconds(std::string_view name, const DateTime& value);
    void Days(std::string_view name, const std::vector<CalendarDate>& days);

    void WriteTasks(const PimRecords& records);
    void WritePersons(const PimRecords& records);
    void WriteAppointments(const PimRecords& records);
    void WriteOptional(const Appointment& appointment);
    void WriteUser(const PimRecords& records);
    void OpenCollection(std::string_view name, int lastId);

    std::string& m_out;
    LocalSeconds m_seconds;
};
