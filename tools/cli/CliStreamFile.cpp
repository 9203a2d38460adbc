#include "CliStreamFile.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstdio>

namespace {

const QString kStandardStream = QStringLiteral("-");

std::unique_ptr<QTemporaryFile> temporaryFile() {
    auto file = std::make_unique<QTemporaryFile>();
    return file->open() ? std::move(file) : nullptr;
}

} // namespace

CliInputFile::CliInputFile(const QString& name) : m_standard(name == kStandardStream) {
    if (!m_standard) {
        m_path = name;
        return;
    }
    m_copy = temporaryFile();
    QFile in;
    if (!m_copy || !in.open(stdin, QIODevice::ReadOnly))
        return;
    const QByteArray bytes = in.readAll();
    if (m_copy->write(bytes) == bytes.size() && m_copy->flush())
        m_path = m_copy->fileName();
    m_copy->close();
}

CliInputFile::~CliInputFile() = default;

CliOutputFile::CliOutputFile(const QString& name) : m_standard(name == kStandardStream) {
    if (!m_standard) {
        m_path = name;
        return;
    }
    m_copy = temporaryFile();
    if (m_copy) {
        m_path = m_copy->fileName();
        m_copy->close();
    }
}

CliOutputFile::~CliOutputFile() = default;

bool CliOutputFile::Finish() {
    if (!m_standard)
        return true;
    if (m_path.isEmpty())
        return false;
    QFile written(m_path);
    if (!written.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = written.readAll();
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) ==
               static_cast<size_t>(bytes.size()) &&
           std::fflush(stdout) == 0;
}
