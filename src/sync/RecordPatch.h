#pragma once

#include "core/Appointment.h"
#include "core/Person.h"
#include "core/Task.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A record changed here, written into the server's copy of its object: only the properties of the
// fields that differ from what the copy says are rewritten, and every other property, parameter
// and component stays byte for byte as the server had it (a photo, a second e-mail address, a
// time at 09:07, a two-hour alarm this program cannot hold). Nothing when the copy cannot be read
// as such a record; the caller then writes the record whole.
namespace recordpatch {

std::optional<std::string> Patch(std::string_view serverText, const Person& now);
std::optional<std::string> Patch(std::string_view serverText, const Appointment& now);
std::optional<std::string> Patch(std::string_view serverText, const Task& now);
// A series with its changed occurrences as the document holds them, written into the one object
// that holds them all on the server.
std::optional<std::string> Patch(std::string_view serverText, const Appointment& series,
                                 const std::vector<Appointment>& changed);

} // namespace recordpatch
