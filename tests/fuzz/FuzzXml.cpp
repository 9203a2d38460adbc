// Any bytes either parse into a tree or end in the parser's own exception; reading from a copy and
// reading text handed over must give the same tree.

#include "docfile/SimpleXMLParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Append(std::string& out, const SimpleXMLParser::Node& node) {
    out.append(node.Name()).append(1, '{').append(node.Text()).append(1, '}');
    if (const auto* attributes = node.GetAttributes())
        for (const auto& attribute : *attributes)
            out.append(attribute.Name()).append(1, '=').append(attribute.Value()).append(1, ';');
    if (const auto* children = node.GetChildren()) {
        out += '(';
        for (const auto& child : *children)
            Append(out, *child);
        out += ')';
    }
}

// The whole tree as text, or the error's position.
std::string Read(SimpleXMLParser::Parser& parser, const char* text, std::size_t size, bool handOver) {
    std::string out;
    try {
        const auto root = handOver ? parser.Parse(std::string(text, size)) : parser.Parse(text, size);
        Append(out, *root);
    } catch (const SimpleXMLParser::Exception& error) {
        out = "error " + std::to_string(error.Line()) + ":" + std::to_string(error.Column());
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    SimpleXMLParser::Parser parser;
    if (Read(parser, text, size, false) != Read(parser, text, size, true))
        std::abort();
    return 0;
}
