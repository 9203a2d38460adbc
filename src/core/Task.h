#pragma once

#include "DateTime.h"

#include <string>

// A to-do item. The priority doubles as the completion state: 3 means done.
struct Task {
    enum Priorities { High = 0, Medium = 1, Low = 2, Done = 3 };

    virtual ~Task() = default;
    Task() : DueDate(DateTime::Now()) {}
    Task(const Task&) = default;
    Task& operator=(const Task&) = default;
    Task(Task&&) noexcept = default;
    Task& operator=(Task&&) noexcept = default;
    bool operator==(const Task&) const = default;

    bool IsDone() const { return Priority == Done; }

    int ID = 0;
    std::string Description;
    int Priority = High;
    DateTime DueDate;
    DateTime DoneDate; // meaningful only while Priority is Done
    // The iCalendar priority (1 to 9) the task came with where ours is coarser or, done, has none;
    // written back while Priority still stands for it. 0: none kept.
    int IcalPriority = 0;
};
