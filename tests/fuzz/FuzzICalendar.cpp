// The bytes are an iCalendar file, imported through libical. Every appointment and task added must
// be one the program can hold (one day, quarter hours, an alarm within the hour before,
// UTF-8 text); the same file again adds nothing; what is exported is read back whole.

#include "ExchangeChecks.h"

#include "exchange/CalendarExchange.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    calendarexchange::ImportOptions options;
    options.today = DateTime(2026, 3, 15, 0, 0, 0);
    options.from = DateTime(2025, 3, 15, 0, 0, 0);
    options.to = DateTime(2028, 3, 15, 0, 0, 0);
    PimDocument document;
    const ExchangeReport report = calendarexchange::ImportText(document, text, options);
    if (report.appointments != static_cast<int>(document.Appointments().Count()) ||
        report.tasks != static_cast<int>(document.Tasks().Count()))
        std::abort();
    exchangechecks::checkCalendar(document);
    if (calendarexchange::ImportText(document, text, options).Added() != 0)
        std::abort();
    PimDocument copy;
    const ExchangeReport again =
        calendarexchange::ImportText(copy, calendarexchange::ExportText(document, {}), options);
    if (again.appointments != report.appointments || again.tasks != report.tasks)
        std::abort();
    return 0;
}
