#include "DocumentFormat.h"

#include "DocumentReader.h"
#include "PimDocument.h"
#include "SimpleXMLParser.h"
#include "platform/PromptService.h"

#include <cstring>
#include <memory>

using platform::PromptService;

namespace {

std::size_t lengthToFirstNul(const char* text, std::size_t length) {
    if (length == 0) // text may then be null, which memchr does not allow
        return 0;
    const void* nul = std::memchr(text, '\0', length);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length;
}

// Editors put a UTF-8 byte-order mark before the text; it is no part of the XML.
std::size_t byteOrderMarkLength(const char* text, std::size_t length) {
    return length >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

void showLoadError(PromptService& prompt, const QString& text) {
    prompt.message(text, QStringLiteral("Error Loading File"), platform::PromptButtons::Ok, platform::PromptIcon::Stop);
}

// Fills the document from the parsed tree, or says why the file is not read.
template <class Parse> bool loadParsed(PimDocument& document, PromptService& prompt, Parse parse) {
    std::unique_ptr<SimpleXMLParser::Element> root;
    try {
        root = parse();
    } catch (const SimpleXMLParser::Exception& error) {
        showLoadError(prompt, QStringLiteral("Parsing error at line %1").arg(error.Line()));
        return false;
    }
    PimRecords records;
    if (!DocumentReader::Read(*root, records)) {
        showLoadError(prompt, QStringLiteral("The file is not a Tavoro! document."));
        return false;
    }
    root.reset(); // the tree goes before the observers refill their views
    document.Replace(std::move(records));
    return true;
}

} // namespace

namespace DocumentFormat {

bool Load(const char* text, std::size_t length, PimDocument& document, PromptService& prompt) {
    length = lengthToFirstNul(text, length);
    const std::size_t mark = byteOrderMarkLength(text, length);
    return loadParsed(document, prompt, [&] { return SimpleXMLParser::Parser().Parse(text + mark, length - mark); });
}

bool Load(std::string&& text, PimDocument& document, PromptService& prompt) {
    text.resize(lengthToFirstNul(text.data(), text.size()));
    text.erase(0, byteOrderMarkLength(text.data(), text.size()));
    return loadParsed(document, prompt, [&] { return SimpleXMLParser::Parser().Parse(std::move(text)); });
}

} // namespace DocumentFormat
