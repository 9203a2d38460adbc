#pragma once

#include <QString>

#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// Records keep their text as the bytes that were read. Where text meets a widget, a drawing or a
// message it passes through this pair: valid UTF-8 reads as UTF-8, anything else as Windows-1252
// (the code page older files were written in), with every byte recoverable.
QString toQString(std::string_view bytes);

// Text that the user typed is stored as UTF-8. A string that came from toQString() of
// Windows-1252 bytes goes back to those bytes only through the original field; editors
// therefore write back only the fields the user changed.
std::string fromQString(const QString& text);

// Several fields and fixed texts put together so that the whole reads as each part reads on its
// own. Joining the bytes does that, unless UTF-8 text meets Windows-1252 text of an older file:
// then the joined bytes would read as Windows-1252 throughout, and the whole is made UTF-8 instead.
std::string joinText(std::initializer_list<std::string_view> parts);

// Decodes bytes as Windows-1252 regardless of whether they would be valid UTF-8, and the way back.
QString fromWindows1252(std::string_view bytes);
std::string toWindows1252(const QString& text, bool* ok = nullptr);

bool isValidUtf8(std::string_view bytes);

} // namespace platform
