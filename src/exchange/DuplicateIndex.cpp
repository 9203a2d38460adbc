#include "DuplicateIndex.h"

#include "TextEncoding.h"

#include "core/PimRecords.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
constexpr char kSeparator = '\x1f';

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

// Whole seconds on the continuous scale, so that equal moments give equal keys.
std::string moment(const DateTime& value) {
    return std::to_string(std::llround(DateTime::Continuous(value.Value()) * 86400.0));
}
} // namespace

DuplicateIndex::DuplicateIndex(const PimRecords& records) {
    for (const auto& [id, person] : records.Persons)
        m_persons.insert(key(person));
    for (const auto& [id, appointment] : records.Appointments)
        m_appointments.insert(key(appointment));
    for (const auto& [id, task] : records.Tasks)
        m_tasks.insert(key(task));
}

bool DuplicateIndex::Held(const Person& person) const {
    return m_persons.count(key(person)) != 0;
}

bool DuplicateIndex::Held(const Appointment& appointment) const {
    return m_appointments.count(key(appointment)) != 0;
}

bool DuplicateIndex::Held(const Task& task) const {
    return m_tasks.count(key(task)) != 0;
}

std::string DuplicateIndex::key(const Person& person) {
    using exchangetext::ToUtf8;
    const bool named = !person.LName.empty() || !person.FName.empty();
    return ToUtf8(person.LName) + kSeparator + ToUtf8(person.FName) + kSeparator +
           (named ? std::string() : ToUtf8(person.Company)) + kSeparator + lower(ToUtf8(person.EMail));
}

std::string DuplicateIndex::key(const Appointment& appointment) {
    return moment(appointment.StartTime) + kSeparator + exchangetext::ToUtf8(appointment.Description);
}

std::string DuplicateIndex::key(const Task& task) {
    return moment(task.DueDate.Date()) + kSeparator + exchangetext::ToUtf8(task.Description);
}
