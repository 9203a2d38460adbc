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
// Text is compared as text, whether a record holds it as UTF-8 or as Windows-1252.
class DuplicateIndex {
public:
    explicit DuplicateIndex(const PimRecords& records);

    // True when the record was there already; otherwise it is remembered from now on.
    bool Seen(const Person& person);
    bool Seen(const Appointment& appointment);
    bool Seen(const Task& task);

private:
    static std::string key(const Person& person);
    static std::string key(const Appointment& appointment);
    static std::string key(const Task& task);

    std::unordered_set<std::string> m_persons;
    std::unordered_set<std::string> m_appointments;
    std::unordered_set<std::string> m_tasks;
};
