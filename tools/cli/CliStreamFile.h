#pragma once

#include <QString>

#include <memory>

class QTemporaryFile;

// A text file named on the command line, where "-" stands for standard input. The libraries read
// named files, so standard input is first copied whole into a temporary file.
class CliInputFile {
public:
    explicit CliInputFile(const QString& name);
    ~CliInputFile();

    bool IsStandardInput() const { return m_standard; }
    // False when standard input could not be copied.
    bool IsReady() const { return !m_path.isEmpty(); }
    // The file to read.
    QString Path() const { return m_path; }

private:
    bool m_standard;
    std::unique_ptr<QTemporaryFile> m_copy;
    QString m_path;
};

// A text file named on the command line, where "-" stands for standard output: the libraries write
// a temporary file, which Finish() copies to standard output. Whoever writes the data there sends
// its count to standard error instead, so that the output stays the data alone.
class CliOutputFile {
public:
    explicit CliOutputFile(const QString& name);
    ~CliOutputFile();

    bool IsStandardOutput() const { return m_standard; }
    // The file to write; empty when no temporary file could be made.
    QString Path() const { return m_path; }
    // Sends what was written to standard output; true at once for a named file.
    bool Finish();

private:
    bool m_standard;
    std::unique_ptr<QTemporaryFile> m_copy;
    QString m_path;
};
