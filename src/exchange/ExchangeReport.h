#pragma once

#include "PropertyTally.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What one vCard or iCalendar import or export did, for the person who asked for it.
struct ExchangeReport {
    enum class Kind { Contacts, Calendar };

    explicit ExchangeReport(Kind what) : kind(what) {}
    // An import that met a collection with no ID left, and took back what it had added.
    static ExchangeReport NoIdLeft(Kind what);

    Kind kind;
    QString error;   // the file could not be read or written; nothing changed
    int written = 0; // export: records written
    int persons = 0; // import: records added, by kind
    int appointments = 0;
    int tasks = 0;
    int alreadyPresent = 0;
    std::vector<std::string> skipped; // one entry each: the record's name and why
    std::vector<std::string> changed; // one entry each: a record added otherwise than the file said, and how
    std::vector<std::string> notes;   // what was read otherwise than the file meant, one line each
    PropertyTally unmapped;

    bool Failed() const { return !error.isEmpty(); }
    int Added() const { return persons + appointments + tasks; }
    // Reads a whole file, or sets the error and gives nothing.
    std::optional<std::string> Read(const QString& path);
    // Replaces the file with text once every byte is written, or sets the error.
    void Write(const QString& path, std::string_view text);

    // The report as lines of text. At most `listed` skipped and changed records are named (-1: all).
    QStringList Lines(int listed = -1) const;
};
