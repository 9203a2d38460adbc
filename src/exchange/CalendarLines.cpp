#include "CalendarLines.h"

#include <algorithm>

namespace calendarlines {

namespace {

// The physical line at the front of `bytes`, with its line break.
std::string_view frontLine(std::string_view bytes) {
    const std::size_t end = bytes.find('\n');
    return end == std::string_view::npos ? bytes : bytes.substr(0, end + 1);
}

std::size_t contentLength(std::string_view line) {
    std::size_t length = line.size();
    if (length > 0 && line[length - 1] == '\n')
        --length;
    if (length > 0 && line[length - 1] == '\r')
        --length;
    return length;
}

bool continues(std::string_view line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

void appendWithoutNul(std::string& out, std::string_view bytes) {
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(out), [](char c) { return c != '\0'; });
}

} // namespace

Prepared Prepare(std::string_view bytes) {
    Prepared prepared;
    prepared.text.reserve(bytes.size());
    std::size_t number = 1;
    while (!bytes.empty()) {
        // A content line: one physical line and the folded ones that continue it.
        std::string_view line = frontLine(bytes);
        std::size_t extent = line.size();
        std::size_t length = contentLength(line);
        std::size_t lines = 1;
        for (std::string_view next = frontLine(bytes.substr(extent)); continues(next);
             next = frontLine(bytes.substr(extent))) {
            extent += next.size();
            length += contentLength(next) - 1;
            ++lines;
        }
        if (length > kLongestLine)
            prepared.leftOut.push_back(number);
        else
            appendWithoutNul(prepared.text, bytes.substr(0, extent));
        bytes.remove_prefix(extent);
        number += lines;
    }
    return prepared;
}

} // namespace calendarlines
