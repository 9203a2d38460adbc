#pragma once

#include <QString>
#include <QStringList>

namespace davsync {

// What one synchronisation carried, and what stopped it.
struct SyncReport {
    int uploaded = 0, downloaded = 0, deletedHere = 0, deletedThere = 0;
    int heldBack = 0;      // deletions not done: too many to do without a yes (see SyncSession)
    QStringList conflicts; // one line per record kept twice
    QStringList errors;    // objects that could not be carried; the next sync retries them
    // Set when the sync stopped (unreachable, wrong password, collection gone, timeout, malformed
    // answer, server full).
    QString failure;
    QStringList skipped; // server objects this program cannot hold (recurring or all-day events); left as they are
    QStringList otherCollections; // the account's calendars and address books this sync did not use
    QStringList notes;            // what the user should know that needs nothing done, e.g. a state file found damaged
    bool Succeeded() const { return failure.isEmpty(); }
    // Everything was carried: nothing failed, stopped or was held back.
    bool Complete() const { return Succeeded() && errors.isEmpty() && heldBack == 0; }
    QString Text() const; // the report as the program and tavoro-cli show it
};

} // namespace davsync
