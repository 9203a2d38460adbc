#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

class PimRecords;
struct Person;
struct Appointment;
struct Task;
class DateTime;

// What the document already holds, so that importing the same file again adds nothing: persons
// are the same when their names (the company for an entry without one) and e-mail address are,
// appointments when their start and description are, tasks when their description and due day are.
// Text is compared as text, whether a record holds it as UTF-8 or as Windows-1252. Only the records
// held before the import count: two equal entries of one file are both added.
class DuplicateIndex {
public:
    explicit DuplicateIndex(const PimRecords& records);

    // True when the document held the record before the import.
    bool Held(const Person& person) const;
    bool Held(const Appointment& appointment) const;
    bool Held(const Task& task) const;

private:
    static std::string key(const Person& person);
    static std::string key(const Appointment& appointment);
    static std::string key(const Task& task);

    std::unordered_set<std::string> m_persons;
    std::unordered_set<std::string> m_appointments;
    std::unordered_set<std::string> m_tasks;
};
