#include "ClockWatch.h"

#include <cmath>

void ClockWatch::Reset(const DateTime& wall, std::int64_t steadyMs) {
    m_wall = wall;
    m_steadyMs = steadyMs;
}

bool ClockWatch::Jumped(const DateTime& wall, std::int64_t steadyMs) {
    const double wallMs = (wall - m_wall).Days() * 86400000.0;
    const double drift = wallMs - static_cast<double>(steadyMs - m_steadyMs);
    const bool jumped = !m_wall.IsValid() || std::fabs(drift) > static_cast<double>(ToleranceMs);
    Reset(wall, steadyMs);
    return jumped;
}
