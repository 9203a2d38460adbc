#pragma once

#include "DateTime.h"
#include "RecordCollection.h"

#include <cstdint>
#include <map>

struct Appointment;

// Answers whether a moment lies within any appointment's time (start and end included) without
// visiting every appointment: it keeps the union of all appointments' times as disjoint spans, so
// an import of n appointments costs n log n, not n squared.
class AppointmentOverlapIndex {
public:
    explicit AppointmentOverlapIndex(const RecordCollection<Appointment>& appointments);

    // An appointment collides when its start or its end lies within an existing one.
    bool Collides(const DateTime& start, const DateTime& end) const;
    void Add(const DateTime& start, const DateTime& end);

private:
    bool Covers(std::int64_t second) const;

    std::map<std::int64_t, std::int64_t> m_spans; // start -> end, in seconds, disjoint
};
