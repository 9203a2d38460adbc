#pragma once

#include "docfile/LocalSeconds.h"

#include <cstdint>
#include <optional>

class DateTime;

// Local date-times of the document against the UTC moments of the exchange formats, by the
// system's zone rules, before 1970 too.
namespace localzone {

// The local calendar time of a UTC moment; invalid where the runtime cannot convert it.
DateTime FromUtc(std::int64_t seconds);

// The UTC moment of local date-times; one object serves one export (it remembers each day's offset).
class ToUtc {
public:
    std::optional<std::int64_t> operator()(const DateTime& local);

private:
    LocalSeconds m_fast;
};

} // namespace localzone
