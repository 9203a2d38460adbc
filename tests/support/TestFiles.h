#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdlib>

// Writes `content` to `path` for a test to read; a test cannot go on without it.
inline QString writeTestFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
