#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string>

namespace wizard {

// The first line of a delimited text file as the wizard previews and splits it.
namespace FirstLineFile {

// A longer first line is cut after this many bytes.
inline constexpr std::size_t MaxLength = 1023;

// The first line without its line end, cut at MaxLength bytes or at a NUL byte, trimmed of white
// space at both ends; a UTF-8 byte-order mark at the start of the file is not part of it. Empty for
// an empty file or one that cannot be read; nothing when the file cannot be opened.
std::optional<std::string> Read(const QString& path);

} // namespace FirstLineFile

} // namespace wizard
