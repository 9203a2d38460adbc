#pragma once

#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <cstddef>
#include <optional>
#include <string>

// The text of a delimited text file, read a piece at a time. A file that starts with a UTF-16
// byte-order mark (LE or BE) is read as UTF-16 and handed out as UTF-8; a UTF-8 mark is skipped;
// any other file is handed out byte for byte, whatever code page it is in. NUL bytes are dropped:
// record text never holds them. Only regular files are read: a folder, a FIFO or a device is
// refused before anything is opened.
class DelimitedTextReader {
public:
    enum class Failure { None, Missing, NotAFile, CannotOpen };

    explicit DelimitedTextReader(const QString& path);

    bool IsOpen() const { return m_failure == Failure::None; }
    Failure Why() const { return m_failure; }
    // Appends about `size` bytes of text to `buffer`; false once the file is at its end (or
    // cannot be read further) and nothing was appended.
    bool Read(std::string& buffer, std::size_t size);

private:
    void DetectMark();

    QFile m_file;
    Failure m_failure = Failure::None;
    bool m_started = false;
    std::optional<QStringDecoder> m_utf16;
};

// Why an import file cannot be read, for a message: "" when it can.
QString DescribeReadFailure(DelimitedTextReader::Failure failure, const QString& path);
