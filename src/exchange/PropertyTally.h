#pragma once

#include <map>
#include <string>

// What an import found no field for, by property name ("BDAY", "ADR (country)"), with how often.
using PropertyTally = std::map<std::string, int>;
