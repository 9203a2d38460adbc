#pragma once

#include <QIcon>
#include <QList>

// The small images of the day view's lists, drawn here so that they look the same everywhere.
namespace ListImages {

// Index = task priority: 0 high, 1 medium, 2 low, 3 done.
QList<QIcon> TaskPriorities();
// Index = appointment alarm flag (0 none, 1 alarm set), plus 2 for an occurrence of a series: the
// same clock with a repeat mark in its corner.
QList<QIcon> AppointmentAlarms();

} // namespace ListImages
