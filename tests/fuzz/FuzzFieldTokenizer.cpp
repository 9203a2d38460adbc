// The first two bytes choose the Encloser and the Separator the wizard offers, the third the size
// of the pieces the text arrives in; the rest is the text. Cutting it as a whole and cutting it
// piece by piece, as the record reader does, must give the same records, every record must take
// text, and no field may hold NUL. The text, cut at 0x01 bytes into values, is also written as
// one record by the export writer and must read back as exactly those values.

#include "textio/DelimitedTextSettings.h"
#include "textio/DelimitedTextWriter.h"
#include "textio/FieldTokenizer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Records = std::vector<std::vector<std::string>>;

void take(const DelimitedRecord& record, Records& records) {
    records.emplace_back(record.values.begin(), record.values.begin() + static_cast<std::ptrdiff_t>(record.count));
    for (const std::string& value : records.back()) {
        if (value.find('\0') != std::string::npos)
            std::abort();
    }
}

Records cutWhole(const FieldTokenizer& tokenizer, std::string_view text) {
    Records records;
    DelimitedRecord record;
    while (!text.empty()) {
        const std::size_t used = tokenizer.NextRecord(text, true, record);
        if (used == 0 || used > text.size())
            std::abort();
        take(record, records);
        text.remove_prefix(used);
    }
    return records;
}

Records cutInPieces(const FieldTokenizer& tokenizer, std::string_view text, std::size_t piece) {
    Records records;
    DelimitedRecord record;
    std::string buffer;
    std::size_t fed = 0;
    for (;;) {
        const bool final = fed == text.size();
        const std::size_t used = buffer.empty() ? 0 : tokenizer.NextRecord(buffer, final, record);
        if (used > 0) {
            take(record, records);
            buffer.erase(0, used);
        } else if (final) {
            if (!buffer.empty())
                std::abort();
            return records;
        } else {
            const std::size_t more = std::min(piece, text.size() - fed);
            buffer.append(text.substr(fed, more));
            fed += more;
        }
    }
}

void writeAndReadBack(const DelimitedTextSettings& settings, std::string_view text) {
    std::vector<std::string> values;
    for (std::size_t start = 0;;) {
        const std::size_t cut = std::min(text.find('\x01', start), text.size());
        values.emplace_back(text.substr(start, cut - start));
        if (cut == text.size())
            break;
        start = cut + 1;
    }
    DelimitedTextWriter writer(settings);
    for (const std::string& value : values)
        writer.AddValue(value);
    writer.EndLine();
    DelimitedRecord record;
    const std::string& written = writer.Content();
    if (settings.MakeTokenizer().NextRecord(written, true, record) != written.size() || record.count != values.size())
        std::abort();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (record.values[i] != values[i])
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    static const char kEnclosers[] = {'"', '\'', '\0'};
    static const char kSeparators[] = {',', ';', '|', ' ', '\t'};
    DelimitedTextSettings settings;
    if (const char encloser = kEnclosers[data[0] % 3])
        settings.Encloser.assign(1, encloser);
    settings.Separator.assign(1, kSeparators[data[1] % 5]);
    const std::size_t piece = 1 + data[2] % 8;
    // Text reaches the tokenizer without NUL bytes: the reader drops them.
    std::string bytes(reinterpret_cast<const char*>(data + 3), size - 3);
    std::erase(bytes, '\0');

    const FieldTokenizer tokenizer = settings.MakeTokenizer();
    if (cutWhole(tokenizer, bytes) != cutInPieces(tokenizer, bytes, piece))
        std::abort();
    if (!settings.Encloser.empty())
        writeAndReadBack(settings, bytes);
    return 0;
}
