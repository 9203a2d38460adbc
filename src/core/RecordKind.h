#pragma once

#include "Appointment.h"
#include "Person.h"
#include "PimRecords.h"
#include "RecordCollection.h"
#include "Task.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

// The three kinds of record a document keeps in collections. Every layer names a kind by this one
// type; what differs between the kinds lives in RecordTraits below, not in switches of each layer.
// The order is the one the document keeps its collections in; nothing stored depends on the
// numbers, only on the names.
enum class RecordKind : std::uint8_t { Person, Task, Appointment };

inline constexpr std::array<RecordKind, 3> kRecordKinds = {RecordKind::Person, RecordKind::Task,
                                                           RecordKind::Appointment};

// The kind's name in messages and undo steps ("Person"), and in identifiers and stored state
// ("person"), which must never change.
constexpr std::string_view RecordKindName(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return "Person";
    case RecordKind::Task:
        return "Task";
    case RecordKind::Appointment:
        return "Appointment";
    }
    return {};
}
constexpr std::string_view RecordKindKey(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return "person";
    case RecordKind::Task:
        return "task";
    case RecordKind::Appointment:
        return "appointment";
    }
    return {};
}

// The name of the kind's collection, as the document file and the import and export name it
// ("Persons").
constexpr std::string_view RecordCollectionName(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return "Persons";
    case RecordKind::Task:
        return "Tasks";
    case RecordKind::Appointment:
        return "Appointments";
    }
    return {};
}

// What a generic piece of code needs to know of one record type: its kind, and the collection it
// lives in.
template <class Record> struct RecordTraits;

template <> struct RecordTraits<Person> {
    static constexpr RecordKind Kind = RecordKind::Person;
    static RecordCollection<Person>& In(PimRecords& records) { return records.Persons; }
    static const RecordCollection<Person>& In(const PimRecords& records) { return records.Persons; }
};
template <> struct RecordTraits<Task> {
    static constexpr RecordKind Kind = RecordKind::Task;
    static RecordCollection<Task>& In(PimRecords& records) { return records.Tasks; }
    static const RecordCollection<Task>& In(const PimRecords& records) { return records.Tasks; }
};
template <> struct RecordTraits<Appointment> {
    static constexpr RecordKind Kind = RecordKind::Appointment;
    static RecordCollection<Appointment>& In(PimRecords& records) { return records.Appointments; }
    static const RecordCollection<Appointment>& In(const PimRecords& records) { return records.Appointments; }
};

// Calls f with a null pointer of the kind's record type (for dispatch from a
// kind known only at run time to code written once per type).
template <class F> decltype(auto) VisitRecordKind(RecordKind kind, F&& f) {
    switch (kind) {
    case RecordKind::Person:
        return f(static_cast<Person*>(nullptr));
    case RecordKind::Task:
        return f(static_cast<Task*>(nullptr));
    case RecordKind::Appointment:
        break;
    }
    return f(static_cast<Appointment*>(nullptr));
}

// How many records of the kind the records hold.
inline std::size_t RecordCount(const PimRecords& records, RecordKind kind) {
    return VisitRecordKind(kind, [&records](auto* type) {
        return RecordTraits<std::remove_pointer_t<decltype(type)>>::In(records).Count();
    });
}
