#pragma once

// Whether the views, reports and reminders' calendar show the phone book's birthdays and
// anniversaries. Kept in the settings under "Options" as "ShowBirthdays" (1 or missing: shown).
namespace BirthdaySetting {
bool Shown();
void SetShown(bool shown);
} // namespace BirthdaySetting
