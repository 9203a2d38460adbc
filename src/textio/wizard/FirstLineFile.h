#pragma once

#include "textio/DelimitedTextReader.h"

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

class DelimitedTextSettings;

namespace wizard {

// The start of a delimited text file as the wizard shows and splits it.
namespace FirstLineFile {

struct FirstLine {
    DelimitedTextReader::Failure failure = DelimitedTextReader::Failure::None;
    std::string text; // the first record, whole, without its line end
};

// The first record of the file, however long and however many lines an enclosed field of it spans.
FirstLine Read(const QString& path);

// The Separator the first line most likely uses: the one of comma, semicolon and tab that occurs
// most often outside double quotes (a comma when none does). Its position in the wizard's list.
int DetectSeparator(std::string_view line);

// The first `count` data records of the file, cut with the settings' characters (after the
// header record when the first line holds names).
std::vector<std::vector<std::string>> DataRows(const DelimitedTextSettings& settings, std::size_t count);

} // namespace FirstLineFile

} // namespace wizard
