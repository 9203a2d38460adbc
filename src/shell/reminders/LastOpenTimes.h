#pragma once

#include "core/DateTime.h"

#include <QString>

#include <optional>

// When each document was last open in the program on this computer, so that the missed reminders
// of the next opening go back only that far. Kept in the settings, group "LastOpen", one key per
// document: the SHA-1 of its absolute path in hexadecimal, holding "YYYY-MM-DDTHH:MM:SS" local time.
namespace LastOpenTimes {

std::optional<DateTime> Read(const QString& fileName);
void Write(const QString& fileName, const DateTime& moment);

} // namespace LastOpenTimes
