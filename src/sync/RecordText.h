#pragma once

#include "core/Appointment.h"
#include "core/Person.h"
#include "core/PimRecords.h"
#include "core/RecordKind.h"
#include "core/Task.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Records as the objects a calendar or contacts server keeps, and back.
namespace recordtext {

// The changed occurrences of each series in a document, by original date: they go to the server
// inside their series' object, and come back from it with the series.
class SeriesChanges {
public:
    SeriesChanges() = default;
    explicit SeriesChanges(const PimRecords& records);
    const std::vector<Appointment>& Of(int seriesId) const;
    void Add(const Appointment& changed) { m_changed[changed.SeriesID].push_back(changed); }
    void Forget(int seriesId) { m_changed.erase(seriesId); }
    // A changed occurrence whose series the document holds: it has no object of its own.
    static bool InsideSeries(const Appointment& appointment, const PimRecords& records);

private:
    std::unordered_map<int, std::vector<Appointment>> m_changed;
};

// The text uploaded for a record: a vCard 3.0, or a VCALENDAR around one VEVENT or VTODO. Text
// fields go out as UTF-8, each decoded on its own (older documents hold Windows-1252), with every
// line break one LF whatever the document held (CR LF, or the CR CR LF of older files).
std::string Render(const Person& person, const std::string& uid);
std::string Render(const Appointment& appointment, const std::string& uid,
                   const std::vector<Appointment>& changed = {});
std::string Render(const Task& task, const std::string& uid);

// The record's text fields as the server gets them (see Render).
Person ForServer(const Person& person);
Appointment ForServer(const Appointment& appointment);
Task ForServer(const Task& task);

// What the text says, without what says when or under which UID it was written: two texts with
// the same hash carry the same record.
QByteArray ContentHash(std::string_view text);

// What a record read from a server object says, in this program's words.
template <class Record> QByteArray Hash(const Record& read) {
    return ContentHash(Render(read, std::string()));
}

// Every field of the record but its ID, cheaply: an unchanged fingerprint spares rendering the
// record to learn that it has not changed.
QByteArray Fingerprint(const Person& person);
QByteArray Fingerprint(const Appointment& appointment);
QByteArray Fingerprint(const Task& task);

// One object read from the server.
struct ServerObject {
    std::optional<RecordKind> kind; // none: nothing this program can hold (`reason` says why)
    std::string uid;
    Person person;
    Appointment appointment;
    std::vector<Appointment> changed; // the series' changed occurrences (OriginalDate set, no SeriesID)
    Task task;
    QString name;   // for the report
    QString reason; // why this program cannot hold it

    template <class Record> const Record& Get() const;
    // Hash() of the record it holds.
    QByteArray RecordHash() const;
};
template <> inline const Person& ServerObject::Get<Person>() const {
    return person;
}
template <> inline const Appointment& ServerObject::Get<Appointment>() const {
    return appointment;
}
template <> inline const Task& ServerObject::Get<Task>() const {
    return task;
}

ServerObject ReadCard(const QByteArray& data);
ServerObject ReadCalendar(const QByteArray& data);
inline ServerObject Read(const QByteArray& data, bool card) {
    return card ? ReadCard(data) : ReadCalendar(data);
}

// The record as it comes back from the server: rendered and read again. Nothing when its
// server form cannot be read as such a record (an appointment that runs past midnight).
std::optional<Person> RoundTrip(const Person& person);
std::optional<Appointment> RoundTrip(const Appointment& appointment);
// A series with its changed occurrences; they come back in `changed`.
std::optional<Appointment> RoundTrip(const Appointment& appointment, const std::vector<Appointment>& changed,
                                     std::vector<Appointment>& changedBack);
std::optional<Task> RoundTrip(const Task& task);

// The hash of a document's record, taken the way the server's objects are: through a round trip
// first, so that a record and the object it became compare equal although the object cannot hold
// every detail (a completion at 15:30 reads back as that day, Windows-1252 text as UTF-8). A
// record without a readable server form is hashed as it is rendered.
template <class Record> QByteArray LocalHash(const Record& record) {
    if (const std::optional<Record> back = RoundTrip(record))
        return Hash(*back);
    return ContentHash(Render(record, std::string()));
}

// The same for a record of a document: a series together with its changed occurrences.
template <class Record> QByteArray LocalHash(const Record& record, const SeriesChanges&) {
    return LocalHash(record);
}
QByteArray LocalHash(const Appointment& appointment, const SeriesChanges& changes);
template <class Record> QByteArray Fingerprint(const Record& record, const SeriesChanges&) {
    return Fingerprint(record);
}
QByteArray Fingerprint(const Appointment& appointment, const SeriesChanges& changes);
template <class Record> std::string Render(const Record& record, const std::string& uid, const SeriesChanges&) {
    return Render(record, uid);
}
std::string Render(const Appointment& appointment, const std::string& uid, const SeriesChanges& changes);

} // namespace recordtext
