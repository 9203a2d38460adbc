#pragma once

#include "core/DateTime.h"

// The "Minutes Before Appointment:" value: 0 to 60 in steps of 5, wrapping around at both ends.
class AlarmMinutes {
public:
    static constexpr int Step = 5;
    static constexpr int Maximum = 60;

    AlarmMinutes() = default;
    explicit AlarmMinutes(int minutes);

    // The lead time between an alarm and its start in whole minutes: a full hour shows as 60, and
    // a lead outside 0..60 as it is. Without an alarm, or with a time that cannot be read, it is 0.
    static AlarmMinutes FromAlarm(bool alarmOn, const DateTime& start, const DateTime& alarm);

    int Value() const { return m_minutes; }
    // True once an arrow changed the value.
    bool Touched() const { return m_touched; }

    // steps > 0 is up, steps < 0 down; past 60 comes 0 and below 0 comes 60. From outside the
    // range, up from below 0 gives 0 and down from above 60 gives 60.
    void StepBy(int steps);

    // The alarm moment for a start with this lead time.
    DateTime AlarmFor(const DateTime& start) const;

private:
    int m_minutes = 0;
    bool m_touched = false;
};
