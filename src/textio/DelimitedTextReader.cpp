#include "DelimitedTextReader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

DelimitedTextReader::DelimitedTextReader(const QString& path) : m_file(path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        m_failure = Failure::Missing;
    else if (!info.isFile()) // opening a FIFO would wait for a writer, a device would never end
        m_failure = Failure::NotAFile;
    else if (!m_file.open(QIODevice::ReadOnly))
        m_failure = Failure::CannotOpen;
}

void DelimitedTextReader::DetectMark() {
    m_started = true;
    char mark[3] = {};
    const qint64 seen = m_file.peek(mark, 3);
    if (seen >= 2 && mark[0] == '\xFF' && mark[1] == '\xFE') {
        m_utf16.emplace(QStringConverter::Utf16LE);
        m_file.skip(2);
    } else if (seen >= 2 && mark[0] == '\xFE' && mark[1] == '\xFF') {
        m_utf16.emplace(QStringConverter::Utf16BE);
        m_file.skip(2);
    } else if (seen == 3 && mark[0] == '\xEF' && mark[1] == '\xBB' && mark[2] == '\xBF') {
        m_file.skip(3);
    }
}

bool DelimitedTextReader::Read(std::string& buffer, std::size_t size) {
    if (!IsOpen())
        return false;
    if (!m_started)
        DetectMark();
    const std::size_t before = buffer.size();
    if (m_utf16) {
        const QByteArray bytes = m_file.read(static_cast<qint64>(size));
        if (bytes.isEmpty())
            return false;
        const QByteArray text = QString(m_utf16->decode(bytes)).toUtf8();
        buffer.append(text.constData(), static_cast<std::size_t>(text.size()));
    } else {
        buffer.resize(before + size);
        const qint64 got = m_file.read(buffer.data() + before, static_cast<qint64>(size));
        buffer.resize(before + static_cast<std::size_t>(std::max<qint64>(got, 0)));
        if (got <= 0)
            return false;
    }
    // memchr, not a byte loop: every byte of the file passes here.
    if (std::memchr(buffer.data() + before, '\0', buffer.size() - before)) {
        const auto from = buffer.begin() + static_cast<std::ptrdiff_t>(before);
        buffer.erase(std::remove(from, buffer.end(), '\0'), buffer.end());
    }
    return true;
}

QString DescribeReadFailure(DelimitedTextReader::Failure failure, const QString& path) {
    const QString name = QDir::toNativeSeparators(path);
    switch (failure) {
    case DelimitedTextReader::Failure::None:
        return {};
    case DelimitedTextReader::Failure::Missing:
        return QStringLiteral("%1 does not exist.").arg(name);
    case DelimitedTextReader::Failure::NotAFile:
        return QStringLiteral("%1 is not a file but a folder or a device.").arg(name);
    case DelimitedTextReader::Failure::CannotOpen:
        break;
    }
    return QStringLiteral("%1 cannot be read.").arg(name);
}
