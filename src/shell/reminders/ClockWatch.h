#pragma once

#include "core/DateTime.h"

#include <cstdint>

// Notices when the wall clock moved otherwise than by time passing: the computer woke from sleep
// (the steady clock stands still meanwhile), or someone set the clock.
class ClockWatch {
public:
    static constexpr std::int64_t ToleranceMs = 5000;

    // Watches from this wall-clock moment and this reading of a steady clock, in milliseconds.
    void Reset(const DateTime& wall, std::int64_t steadyMs);
    // True when, since the last look, the wall clock moved more than the tolerance away from the
    // steady clock; either way the watch goes on from here.
    bool Jumped(const DateTime& wall, std::int64_t steadyMs);

private:
    DateTime m_wall;
    std::int64_t m_steadyMs = 0;
};
