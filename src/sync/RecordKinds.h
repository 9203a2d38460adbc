#pragma once

#include "RecordText.h"
#include "SyncSession.h"

#include "core/PimRecords.h"
#include "exchange/RecordUid.h"

#include <QByteArray>
#include <QString>

// The three kinds of record a synchronisation carries, told apart by recorduid::Kind.
namespace davsync::recordkinds {

using Kind = recorduid::Kind;
inline constexpr Kind kAll[] = {Kind::Person, Kind::Appointment, Kind::Task};

template <class Record> const RecordCollection<Record>& recordsOf(const PimRecords& records);
template <> inline const RecordCollection<Person>& recordsOf(const PimRecords& records) {
    return records.Persons;
}
template <> inline const RecordCollection<Appointment>& recordsOf(const PimRecords& records) {
    return records.Appointments;
}
template <> inline const RecordCollection<Task>& recordsOf(const PimRecords& records) {
    return records.Tasks;
}

inline QString nameOf(const Person& person) {
    return QString::fromStdString(DisplayName(person)).simplified();
}
inline QString nameOf(const Appointment& appointment) {
    return QString::fromStdString(appointment.Description).simplified();
}
inline QString nameOf(const Task& task) {
    return QString::fromStdString(task.Description).simplified();
}

inline QString kindWord(Kind kind) {
    switch (kind) {
    case Kind::Person:
        return QStringLiteral("person");
    case Kind::Appointment:
        return QStringLiteral("appointment");
    case Kind::Task:
        return QStringLiteral("task");
    }
    return {};
}

inline QByteArray localHash(const PimRecords& records, Kind kind, int id) {
    switch (kind) {
    case Kind::Person:
        if (const Person* person = records.Persons.Find(id))
            return recordtext::Hash(*person);
        break;
    case Kind::Appointment:
        if (const Appointment* appointment = records.Appointments.Find(id))
            return recordtext::Hash(*appointment);
        break;
    case Kind::Task:
        if (const Task* task = records.Tasks.Find(id))
            return recordtext::Hash(*task);
        break;
    }
    return {};
}

inline void progressTo(const SyncSession::Progress& progress, const QString& step, int done, int total) {
    if (progress)
        progress(step, done, total);
}

} // namespace davsync::recordkinds
