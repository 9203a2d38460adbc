#include "FirstLineFile.h"

#include "FormatChoices.h"

#include "textio/DelimitedTextSettings.h"
#include "textio/RecordReader.h"

#include <array>

namespace wizard::FirstLineFile {

namespace {

// The wizard looks at the start of a file only; a file of one endless line stops here.
constexpr std::size_t kHeadBytes = 1024 * 1024;

FieldTokenizer quoteAware() {
    FieldTokenizer tokenizer;
    tokenizer.SetEncloser('"');
    return tokenizer;
}

} // namespace

FirstLine Read(const QString& path) {
    RecordReader reader(path, quoteAware(), kHeadBytes);
    FirstLine first;
    first.failure = reader.File().Why();
    DelimitedRecord record;
    if (reader.Next(record))
        first.text = reader.Text();
    return first;
}

int DetectSeparator(std::string_view line) {
    const std::array<char, 3> candidates = {',', ';', '\t'};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        for (std::size_t i = 0; i < candidates.size() && !quoted; ++i)
            counts[i] += c == candidates[i] ? 1 : 0;
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < counts.size(); ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    for (std::size_t choice = 0; choice < kSeparatorChoices.size(); ++choice) {
        if (kSeparatorChoices[choice].value[0] == candidates[best])
            return static_cast<int>(choice);
    }
    return 0;
}

std::vector<std::vector<std::string>> DataRows(const DelimitedTextSettings& settings, std::size_t count) {
    RecordReader reader(settings.FilePath, settings.MakeTokenizer(), kHeadBytes);
    DelimitedRecord record;
    std::vector<std::vector<std::string>> rows;
    if (settings.FirstLineHasNames && !reader.Next(record))
        return rows;
    while (rows.size() < count && reader.Next(record)) {
        if (!record.IsBlank())
            rows.emplace_back(record.values.begin(), record.values.begin() + static_cast<std::ptrdiff_t>(record.count));
    }
    return rows;
}

} // namespace wizard::FirstLineFile
