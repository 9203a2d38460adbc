#include "TextEncoding.h"

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cctype>

namespace exchangetext {

namespace {
std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return out;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
} // namespace

std::string ToUtf8(std::string_view bytes, std::string_view charset) {
    if (isAscii(bytes))
        return std::string(bytes);
    const std::string name = lower(charset);
    if (name == "iso-8859-1" || name == "latin1" || name == "iso8859-1")
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8().toStdString();
    const bool windows = name == "windows-1252" || name == "cp1252" || name == "cp-1252";
    if (!windows && platform::isValidUtf8(bytes))
        return std::string(bytes);
    return platform::fromWindows1252(bytes).toUtf8().toStdString();
}

} // namespace exchangetext
