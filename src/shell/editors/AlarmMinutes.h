#pragma once

#include "core/AppointmentRules.h"
#include "core/DateTime.h"

// The alarm's lead time before the start: an amount of minutes, hours, days or weeks, up to four
// weeks. In minutes the arrows step by 5 from 0 to 60, wrapping around at both ends; in the larger
// units by 1 (1 to 24 hours, 1 to 28 days, 1 to 4 weeks).
class AlarmMinutes {
public:
    enum class Unit { Minutes, Hours, Days, Weeks };
    static constexpr int Step = 5;
    static constexpr int Maximum = 60;
    static constexpr int MaximumLead = appointmentrules::kLongestAlarmLead;

    AlarmMinutes() = default;
    explicit AlarmMinutes(int minutes);

    // The lead time between an alarm and its start: in the largest unit that measures it whole when
    // it is more than an hour, else in minutes (a full hour shows as 60, a lead below 0 as it is).
    // Without an alarm, or with a time that cannot be read, it is 0 minutes.
    static AlarmMinutes FromAlarm(bool alarmOn, const DateTime& start, const DateTime& alarm);

    // The lead in minutes.
    int Value() const { return m_amount * MinutesPer(m_unit); }
    int Amount() const { return m_amount; }
    Unit LeadUnit() const { return m_unit; }
    // True once an arrow or the unit changed the value.
    bool Touched() const { return m_touched; }

    // steps > 0 is up, steps < 0 down. In minutes: past 60 comes 0 and below 0 comes 60; from
    // outside the range, up from below 0 gives 0 and down from above 60 gives 60.
    void StepBy(int steps);
    // The same amount in another unit, brought into that unit's range.
    void SetUnit(Unit unit);

    // The alarm moment for a start with this lead time.
    DateTime AlarmFor(const DateTime& start) const;

    static int MinutesPer(Unit unit);

private:
    AlarmMinutes(int amount, Unit unit) : m_amount(amount), m_unit(unit) {}

    int m_amount = 0;
    Unit m_unit = Unit::Minutes;
    bool m_touched = false;
};
