#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

std::optional<std::string> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    if (size < 0)
        return std::nullopt;
    std::string text;
    text.resize(static_cast<std::size_t>(size));
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(text.data() + got, size - got);
        if (n <= 0)
            return std::nullopt;
        got += n;
    }
    return text;
}

bool WriteFileAtomically(const QString& path, std::string_view data) {
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Documents hold personal data: a new one is not readable by anyone else. The temporary file
    // gets the permissions before any byte is written, so there is no moment where it is exposed.
    if (!existed && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
    const auto size = static_cast<qint64>(data.size());
    if (file.write(data.data(), size) != size || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
