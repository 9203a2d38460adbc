#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Why a whole-file read or write failed.
enum class FileError {
    None,
    Missing,    // there is no file of that name
    NotRegular, // a folder, a device, a pipe or a socket: never read or replaced
    TooLarge,   // more than a document can hold in memory
    Unreadable,
    Unwritable,
};

// The reason in words, to follow a file name: "is not a regular file".
QString describe(FileError error);

// Reads a whole regular file (a symbolic link to one is followed) in one go. Nothing when it
// cannot be opened, is not a regular file, is too large to hold, or delivers fewer bytes than its
// size; an empty file gives an empty text. The result is NUL-terminated (std::string::c_str).
std::optional<std::string> ReadWholeFile(const QString& path, FileError* error = nullptr);

// Replaces the file at path with data, or leaves it exactly as it was: the bytes go to a
// temporary file beside the target, which is flushed and synced and then renamed over it. A file
// that did not exist before is created readable and writable by its owner only; one that did keeps
// its mode bits. Anything at path
// that is not a regular file is refused. When no temporary file can be made beside an existing
// writable file (a read-only folder), the file is written in place, and its old bytes are put
// back should that fail.
bool WriteFileAtomically(const QString& path, std::string_view data, FileError* error = nullptr);

} // namespace platform
