#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A document is parsed into a tree several times its size; beyond this it cannot be held.
constexpr qint64 kLargestReadable = INT_MAX;

bool fail(FileError* error, FileError reason) {
    if (error)
        *error = reason;
    return false;
}

// Writes data over the file itself, for a folder where no temporary file can be made. The old
// bytes are read first and written back if any step fails.
bool writeInPlace(const QString& path, std::string_view data) {
    const std::optional<std::string> old = ReadWholeFile(path);
    if (!old)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const auto put = [&file](std::string_view bytes) {
        const auto size = static_cast<qint64>(bytes.size());
        return file.seek(0) && file.write(bytes.data(), size) == size && file.resize(size) && file.flush() &&
               ::fsync(file.handle()) == 0;
    };
    if (put(data))
        return true;
    put(*old);
    return false;
}

} // namespace

QString describe(FileError error) {
    switch (error) {
    case FileError::None:
        break;
    case FileError::Missing:
        return QStringLiteral("does not exist");
    case FileError::NotRegular:
        return QStringLiteral("is not a regular file");
    case FileError::TooLarge:
        return QStringLiteral("is too large to read");
    case FileError::Unreadable:
        return QStringLiteral("cannot be read");
    case FileError::Unwritable:
        return QStringLiteral("cannot be written");
    }
    return QString();
}

std::optional<std::string> ReadWholeFile(const QString& path, FileError* error) {
    // Opened without waiting, so that a pipe with no writer cannot hold the program; then only a
    // regular file is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        fail(error, errno == ENOENT ? FileError::Missing : FileError::Unreadable);
        return std::nullopt;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        fail(error, FileError::Unreadable);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        fail(error, FileError::NotRegular);
        return std::nullopt;
    }
    const qint64 size = status.st_size;
    std::string text;
    try {
        if (size > kLargestReadable)
            throw std::bad_alloc();
        text.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        fail(error, FileError::TooLarge);
        return std::nullopt;
    }
    qint64 got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, text.data() + got, static_cast<std::size_t>(size - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(error, FileError::Unreadable);
            return std::nullopt;
        }
        got += n;
    }
    if (error)
        *error = FileError::None;
    return text;
}

bool WriteFileAtomically(const QString& path, std::string_view data, FileError* error) {
    const QFileInfo target(path); // a symbolic link answers for the file it points to
    if (target.exists() && !target.isFile())
        return fail(error, FileError::NotRegular);
    const bool existed = target.exists();
    const auto inPlaceOrFail = [&] {
        if (existed && target.isWritable() && writeInPlace(path, data)) {
            if (error)
                *error = FileError::None;
            return true;
        }
        return fail(error, FileError::Unwritable);
    };
    struct stat status {};
    if (existed && ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return fail(error, FileError::Unwritable);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return inPlaceOrFail();
    // Documents hold personal data: a new one is not readable by anyone else. The temporary file
    // gets the permissions before any byte is written, so there is no moment where it is exposed.
    // A file that existed keeps its mode bits exactly: Qt would add the write bit for a superuser.
    const bool moded = existed ? ::fchmod(file.handle(), status.st_mode & 07777) == 0
                               : file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!moded) {
        file.cancelWriting();
        return fail(error, FileError::Unwritable);
    }
    const auto size = static_cast<qint64>(data.size());
    if (file.write(data.data(), size) != size || !file.flush()) {
        file.cancelWriting();
        return fail(error, FileError::Unwritable);
    }
    if (!file.commit())
        return inPlaceOrFail();
    if (error)
        *error = FileError::None;
    return true;
}

} // namespace platform
