#include "SearchFold.h"

#include "platform/TextCodec.h"

#include <QString>

namespace SearchFold {

namespace {

bool isAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Letters that no decomposition splits into a base letter and an accent.
const char* spelledOut(char16_t c) {
    switch (c) {
    case u'ß':
        return "ss";
    case u'æ':
        return "ae";
    case u'œ':
        return "oe";
    case u'ø':
        return "o";
    case u'ł':
        return "l";
    case u'đ':
    case u'ð':
        return "d";
    case u'þ':
        return "th";
    case u'ı':
        return "i";
    default:
        return nullptr;
    }
}

} // namespace

void AppendFolded(std::string_view bytes, std::string& out) {
    if (isAscii(bytes)) {
        // Nearly all text: fold it without decoding.
        for (char c : bytes)
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        return;
    }
    // Compatibility decomposition also turns ligatures and superscripts into their letters.
    const QString decomposed = platform::toQString(bytes).normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.isMark())
            continue;
        if (const char* letters = spelledOut(c.unicode()))
            folded.append(QLatin1String(letters));
        else
            folded.append(c);
    }
    out += folded.toUtf8().toStdString();
}

std::string Fold(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendFolded(bytes, out);
    return out;
}

} // namespace SearchFold
