#include "TextCodec.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {
// Windows-1252 0x80-0x9F. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control characters of the same value, so every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t extra = 0;
        char32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Reject overlong forms, surrogates and values beyond U+10FFFF.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString fromWindows1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c <= 0x9F)
            out.append(QChar(kHighTable[c - 0x80]));
        else
            out.append(QChar(static_cast<char16_t>(c)));
    }
    return out;
}

std::string toWindows1252(const QString& text, bool* ok) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    bool allMapped = true;
    for (QChar qc : text) {
        const char16_t u = qc.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        bool found = false;
        for (size_t k = 0; k < kHighTable.size(); ++k) {
            if (kHighTable[k] == u) {
                out.push_back(static_cast<char>(0x80 + k));
                found = true;
                break;
            }
        }
        if (!found) {
            out.push_back('?');
            allMapped = false;
        }
    }
    if (ok)
        *ok = allMapped;
    return out;
}

QString toQString(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return fromWindows1252(bytes);
}

std::string fromQString(const QString& text) {
    return text.toStdString();
}

std::string joinText(std::initializer_list<std::string_view> parts) {
    std::string joined;
    bool allUtf8 = true;
    for (std::string_view part : parts) {
        joined.append(part);
        allUtf8 = allUtf8 && isValidUtf8(part);
    }
    if (allUtf8)
        return joined;
    // Windows-1252 parts among plain ASCII ones keep their bytes as long as the whole does not read
    // as UTF-8: found without decoding, as an import names every person so.
    const auto ascii = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    if (std::none_of(parts.begin(), parts.end(),
                     [&](std::string_view part) { return !ascii(part) && isValidUtf8(part); }) &&
        !isValidUtf8(joined))
        return joined;
    QString decoded;
    for (std::string_view part : parts)
        decoded += toQString(part);
    // Windows-1252 fields among plain ASCII keep their bytes; only a mixture is made UTF-8.
    return toQString(joined) == decoded ? joined : fromQString(decoded);
}

} // namespace platform
