#!/usr/bin/env python3
"""Prints the occurrences an iCalendar file holds on some days, one per day it covers:
"YYYY-MM-DD HH:MM-HH:MM SUMMARY" (or "all-day" for the time), in the zone TZ names.

Read with Python's icalendar and expanded with dateutil, apart from our own code, so that a test
can hold our export against another reader. Usage: ics_occurrences.py FILE --from DAY --to DAY
"""
import datetime
import sys

import dateutil.tz
import pytz
from dateutil.rrule import rrulestr
from icalendar import Calendar

LOCAL = dateutil.tz.gettz()


def zone_of(value):
    """The zone of a date-time, and a way to give a wall-clock time of it that zone."""
    tz = getattr(value, "tzinfo", None)
    if tz is None:
        return None, lambda wall: wall
    if hasattr(tz, "localize"):  # pytz, as icalendar gives for a TZID it knows
        real = pytz.timezone(tz.zone) if getattr(tz, "zone", None) else tz
        return real, lambda wall: real.normalize(real.localize(wall))
    return tz, lambda wall: wall.replace(tzinfo=tz)


def wall_in(value, zone):
    """A date-time as the clocks of `zone` show it, without a zone; a floating one as it is."""
    if isinstance(value, datetime.datetime) and value.tzinfo is not None and zone is not None:
        return value.astimezone(zone).replace(tzinfo=None)
    if isinstance(value, datetime.datetime):
        return value.replace(tzinfo=None)
    return value


def listed(event, name):
    values = event.get(name)
    if values is None:
        return []
    if not isinstance(values, list):
        values = [values]
    return [d.dt for value in values for d in value.dts]


def rule_text(event, zone):
    """The rule with UNTIL as the wall clock of the series' zone, as dateutil wants it."""
    rule = event["RRULE"]
    pieces = [p for p in rule.to_ical().decode().split(";") if not p.startswith("UNTIL=")]
    if "UNTIL" in rule:
        until = rule["UNTIL"][0]
        if isinstance(until, datetime.datetime):
            pieces.append("UNTIL=" + wall_in(until, zone).strftime("%Y%m%dT%H%M%S"))
        else:
            pieces.append("UNTIL=" + until.strftime("%Y%m%d"))
    return ";".join(pieces)


def instances(event, changed, last):
    start = event.decoded("DTSTART")
    if "DTEND" in event:
        end = event.decoded("DTEND")
    elif "DURATION" in event:
        end = start + event.decoded("DURATION")
    elif isinstance(start, datetime.datetime):
        end = start
    else:
        end = start + datetime.timedelta(days=1)
    length = end - start
    if "RRULE" not in event and "RDATE" not in event:
        yield start, end
        return
    all_day = not isinstance(start, datetime.datetime)
    zone, make = zone_of(start)
    first = datetime.datetime.combine(start, datetime.time()) if all_day else wall_in(start, zone)
    excluded = {wall_in(d, zone) if not all_day else d for d in listed(event, "EXDATE")}
    walls = set()
    if "RRULE" in event:
        for wall in rrulestr(rule_text(event, zone), dtstart=first):
            if wall.date() > last:
                break
            walls.add(wall)
    else:
        walls.add(first)
    for added in listed(event, "RDATE"):
        if isinstance(added, datetime.datetime):
            walls.add(wall_in(added, zone))
        else:
            walls.add(datetime.datetime.combine(added, first.time()))
    for wall in sorted(walls):
        if wall.date() > last:
            break
        key = wall.date() if all_day else wall
        if key in excluded or key in changed:
            continue
        begin = key if all_day else make(wall)
        yield begin, begin + length


def local_days(start, end):
    """The days an occurrence covers here, and its times here."""
    if not isinstance(start, datetime.datetime):
        days = max((end - start).days, 1)
        return [start + datetime.timedelta(days=i) for i in range(days)], "all-day"
    def here(value):
        return value.astimezone(LOCAL) if value.tzinfo is not None else value.replace(tzinfo=LOCAL)
    s, e = here(start), here(end)
    first = s.date()
    last_moment = e if e > s else s
    last = last_moment.date()
    if e > s and last_moment.time() == datetime.time() and last > first:
        last -= datetime.timedelta(days=1)
    days = [first + datetime.timedelta(days=i) for i in range((last - first).days + 1)]
    return days, s.strftime("%H:%M") + "-" + e.strftime("%H:%M")


def main():
    path = sys.argv[1]
    options = dict(zip(sys.argv[2::2], sys.argv[3::2]))
    first = datetime.date.fromisoformat(options["--from"])
    last = datetime.date.fromisoformat(options["--to"])
    with open(path, "rb") as f:
        calendar = Calendar.from_ical(f.read())
    events = list(calendar.walk("VEVENT"))
    changed = {}
    for event in events:
        if "RECURRENCE-ID" in event:
            changed.setdefault(str(event["UID"]), []).append(event)
    lines = []
    for event in events:
        uid = str(event["UID"])
        occurrences = []
        if "RECURRENCE-ID" in event:
            occurrences = list(instances(event, [], last))
        else:
            start = event.decoded("DTSTART")
            all_day = not isinstance(start, datetime.datetime)
            zone, _ = zone_of(start)
            keys = [event_key for c in changed.get(uid, [])
                    for event_key in [c.decoded("RECURRENCE-ID") if all_day
                                      else wall_in(c.decoded("RECURRENCE-ID"), zone)]]
            occurrences = list(instances(event, keys, last + datetime.timedelta(days=2)))
        for start, end in occurrences:
            days, time = local_days(start, end)
            for day in days:
                if first <= day <= last:
                    lines.append("%s %s %s" % (day.isoformat(), time, str(event.get("SUMMARY", ""))))
    for line in sorted(lines):
        print(line)


if __name__ == "__main__":
    main()
