#pragma once

#include "DelimitedTextReader.h"

#include <QStringList>

#include <array>
#include <vector>

class DelimitedTextSettings;

// Why a line of an import file did not become a record as it stood.
enum class ImportIssue { MissingValue, Overlap, UnreadableDate, OutOfRange };

// How often an issue came up, and on which lines first.
struct LineTally {
    static constexpr std::size_t kLinesKept = 5;
    int count = 0;
    std::vector<int> lines;
    void Add(int line);
};

// What one import did: the records it added, the lines it skipped and the values it had to
// give a default, each by reason, and whether the file could be read at all.
struct ImportReport {
    int added = 0;
    DelimitedTextReader::Failure failure = DelimitedTextReader::Failure::None;
    std::array<LineTally, 4> skipped;
    std::array<LineTally, 4> defaulted;

    void Skip(ImportIssue issue, int line) { skipped[static_cast<std::size_t>(issue)].Add(line); }
    void Default(ImportIssue issue, int line) { defaulted[static_cast<std::size_t>(issue)].Add(line); }
    int SkippedCount() const;
};

// The report in sentences, one per entry: the lines skipped and why, the values defaulted, and
// the columns of the file's header that feed nothing. Empty when there is nothing to say.
QStringList DescribeImport(const ImportReport& report, const DelimitedTextSettings& settings);
