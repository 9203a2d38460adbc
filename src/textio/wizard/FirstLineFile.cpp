#include "FirstLineFile.h"

#include "platform/TextCodec.h"
#include "textio/TextValues.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <string_view>

namespace wizard::FirstLineFile {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A cut inside a UTF-8 character would turn the whole line into the older code page when shown.
// The broken character goes when the text up to its real end is UTF-8; `line` reaches past the cut.
std::string_view cutAt(std::string_view line, std::size_t length) {
    const std::string_view cut = line.substr(0, length);
    for (std::size_t back = 1; back <= 3 && back <= cut.size(); ++back) {
        const auto byte = static_cast<unsigned char>(cut[cut.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for the lead byte
        if (byte < 0xC0)
            return cut;
        const std::size_t start = cut.size() - back;
        const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        if (back < needed && start + needed <= line.size() && platform::isValidUtf8(line.substr(0, start + needed)))
            return cut.substr(0, start);
        return cut;
    }
    return cut;
}

} // namespace

std::optional<std::string> Read(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Enough to see the mark, the longest line and the rest of a character that the cut splits.
    const QByteArray bytes = file.read(static_cast<qint64>(kByteOrderMark.size() + MaxLength + 3));
    std::string_view line(bytes.constData(), static_cast<std::size_t>(std::max<qsizetype>(bytes.size(), 0)));
    if (line.starts_with(kByteOrderMark))
        line.remove_prefix(kByteOrderMark.size());
    const std::size_t end = std::min(line.find_first_of(std::string_view("\n\0", 2)), line.size());
    line = end > MaxLength ? cutAt(line.substr(0, end), MaxLength) : line.substr(0, end);
    return std::string(textvalues::Trimmed(line));
}

} // namespace wizard::FirstLineFile
