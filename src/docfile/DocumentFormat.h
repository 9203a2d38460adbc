#pragma once

#include <cstddef>
#include <string>

class PimDocument;

namespace platform {
class PromptService;
}

// The text of a .pgr file read into a whole document. The text ends at its first NUL byte or
// after length bytes; a UTF-8 byte-order mark at its start is passed over. On success the records
// read replace the document's (DocumentWriter writes them back). A syntax error is shown as
// "Parsing error at line %d", well-formed text that is not a document of ours as "The file is not
// a Tavoro! document."; both answer false and leave the document as it was.
namespace DocumentFormat {

bool Load(const char* text, std::size_t length, PimDocument& document, platform::PromptService& prompt);
// The same, handing the text over to the parsed tree instead of copying it.
bool Load(std::string&& text, PimDocument& document, platform::PromptService& prompt);

} // namespace DocumentFormat
