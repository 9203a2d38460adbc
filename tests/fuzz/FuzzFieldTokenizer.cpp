// The first two bytes choose the Encloser and the Separator the wizard offers; the rest is cut as
// lines, as the reader delivers them. Every field found shortens the line, no field holds NUL, and a value written by
// the export writer reads back as exactly that value.

#include "textio/DelimitedTextSettings.h"
#include "textio/DelimitedTextWriter.h"
#include "textio/FieldTokenizer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void cutLine(const FieldTokenizer& tokenizer, std::string_view line) {
    std::string field;
    while (true) {
        const size_t before = line.size();
        field.clear();
        if (!tokenizer.NextField(line, field))
            break;
        if (line.size() >= before || field.find('\0') != std::string::npos)
            std::abort();
    }
}

void writeAndReadBack(const DelimitedTextSettings& settings, std::string value) {
    for (char& c : value)
        c = c == '\0' ? 'x' : c;
    DelimitedTextWriter writer(settings);
    writer.AddValue(value);
    writer.AddValue("next");
    writer.EndLine();
    std::string_view line = writer.Content();
    line.remove_suffix(1);
    const FieldTokenizer tokenizer = settings.MakeTokenizer();
    std::string field;
    if (!tokenizer.NextField(line, field) || field != value)
        std::abort();
    field.clear();
    if (!tokenizer.NextField(line, field) || field != "next" || !line.empty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    static const char kEnclosers[] = {'"', '\'', '\0'};
    static const char kSeparators[] = {',', ';', '|', ' ', '\t'};
    DelimitedTextSettings settings;
    if (const char encloser = kEnclosers[data[0] % 3])
        settings.Encloser.assign(1, encloser);
    settings.Separator.assign(1, kSeparators[data[1] % 5]);
    // Lines reach the tokenizer without NUL bytes: the reader drops them.
    std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    std::erase(bytes, '\0');
    const std::string_view text = bytes;

    const FieldTokenizer tokenizer = settings.MakeTokenizer();
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        cutLine(tokenizer, text.substr(start, end - start));
        start = end + 1;
    }
    if (!settings.Encloser.empty() && !text.empty())
        writeAndReadBack(settings, std::string(text));
    return 0;
}
