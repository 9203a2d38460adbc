#pragma once

#include <QString>

#include <array>

struct Person;

// The values of the day view's detail pane for one person (or none): each shows its field, or
// "Not Available" and cannot be used when the field is empty.
struct PersonDetails {
    enum Field { HomePhone, WorkPhone, Pager, Fax, CelPhone, EMail, WebPage, FieldCount };
    struct Value {
        QString text;
        bool enabled = false;
        bool operator==(const Value&) const = default;
    };

    static PersonDetails Of(const Person* person);

    std::array<Value, FieldCount> values;
};
