#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Reads a whole file in one go. Nothing when it cannot be opened or delivers fewer bytes than its
// size; an empty file gives an empty text. The result is NUL-terminated (std::string::c_str).
std::optional<std::string> ReadWholeFile(const QString& path);

// Replaces the file at path with data, or leaves it exactly as it was: the bytes go to a
// temporary file beside the target, which is flushed and synced and then renamed over it. A file
// that did not exist before is created readable and writable by its owner only.
bool WriteFileAtomically(const QString& path, std::string_view data);

} // namespace platform
