// The bytes are a vCard file. Every person imported must be one the program can hold (UTF-8 text
// without NUL, a name or a company, a phone book); the same file again adds nothing; what is
// exported is read back as as many persons.

#include "ExchangeChecks.h"

#include "exchange/VCardExchange.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PimDocument document;
    const ExchangeReport report = vcardexchange::ImportText(document, bytes);
    if (report.persons != static_cast<int>(document.Persons().Count()))
        std::abort();
    exchangechecks::checkPersons(document);
    if (vcardexchange::ImportText(document, bytes).persons != 0)
        std::abort();
    for (VCardVersion version : {VCardVersion::V30, VCardVersion::V40}) {
        vcardexchange::ExportOptions options;
        options.version = version;
        PimDocument copy;
        if (vcardexchange::ImportText(copy, vcardexchange::ExportText(document, options)).persons != report.persons)
            std::abort();
    }
    return 0;
}
