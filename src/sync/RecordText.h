#pragma once

#include "core/Appointment.h"
#include "core/Person.h"
#include "core/Task.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

// Records as the objects a calendar or contacts server keeps, and back.
namespace recordtext {

// The text uploaded for a record: a vCard 3.0, or a VCALENDAR around one VEVENT or VTODO.
std::string Render(const Person& person, const std::string& uid);
std::string Render(const Appointment& appointment, const std::string& uid);
std::string Render(const Task& task, const std::string& uid);

// What the record says, without what says when or under which UID it was written: two texts with
// the same hash carry the same record.
QByteArray ContentHash(std::string_view text);
template <class Record> QByteArray Hash(const Record& record) {
    return ContentHash(Render(record, std::string()));
}

// Every field of the record but its ID, cheaply: an unchanged fingerprint spares rendering the
// record to learn that it has not changed.
QByteArray Fingerprint(const Person& person);
QByteArray Fingerprint(const Appointment& appointment);
QByteArray Fingerprint(const Task& task);

// One object read from the server.
struct ServerObject {
    enum class Kind { None, Person, Appointment, Task };
    Kind kind = Kind::None;
    std::string uid;
    Person person;
    Appointment appointment;
    Task task;
    QString name;   // for the report
    QString reason; // why this program cannot hold it (kind None)
};
ServerObject ReadCard(const QByteArray& data);
ServerObject ReadCalendar(const QByteArray& data);

} // namespace recordtext
