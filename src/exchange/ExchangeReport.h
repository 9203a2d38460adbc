#pragma once

#include "PropertyTally.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// What one vCard or iCalendar import or export did, for the person who asked for it.
struct ExchangeReport {
    enum class Kind { Contacts, Calendar };

    explicit ExchangeReport(Kind what) : kind(what) {}

    Kind kind;
    QString error;   // the file could not be read or written; nothing changed
    int written = 0; // export: records written
    int persons = 0; // import: records added, by kind
    int appointments = 0;
    int tasks = 0;
    int allDayTasks = 0; // of the tasks, those made from all-day events
    int alreadyPresent = 0;
    std::vector<std::string> skipped; // one entry each: the record's name and why
    PropertyTally unmapped;

    bool Failed() const { return !error.isEmpty(); }
    int Added() const { return persons + appointments + tasks; }
    // The report as lines of text. At most `listed` skipped records are named (-1: all).
    QStringList Lines(int listed = -1) const;
};
