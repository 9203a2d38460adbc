#pragma once

#include <QString>
#include <QStringList>

namespace davsync {

// What one synchronisation carried, and what stopped it.
struct SyncReport {
    int uploaded = 0, downloaded = 0, deletedHere = 0, deletedThere = 0;
    QStringList conflicts; // one line per record kept twice
    QStringList errors;    // objects that could not be carried; the next sync retries them
    QString
        failure; // set when the sync stopped (unreachable, wrong password, collection gone, timeout, malformed answer)
    QStringList skipped; // server objects this program cannot hold (recurring or all-day events); left as they are
    QStringList notes;   // what the user should know that needs nothing done, e.g. a state file found damaged
    bool Succeeded() const { return failure.isEmpty(); }
    QString Text() const; // the report as the program and tavoro-cli show it
};

} // namespace davsync
