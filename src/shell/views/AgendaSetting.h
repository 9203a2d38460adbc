#pragma once

// How many days the agenda shows, from today on. Kept in the settings under "Options" as
// "AgendaDays" (missing: 30).
namespace AgendaSetting {
constexpr int kDefaultDays = 30;
constexpr int kMinDays = 1;
constexpr int kMaxDays = 366;
int Days();
void SetDays(int days);
} // namespace AgendaSetting
