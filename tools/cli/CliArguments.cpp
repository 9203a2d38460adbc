#include "CliArguments.h"

#include <algorithm>
#include <cstdio>

CliArguments::CliArguments(const char* usage, const QList<QCommandLineOption>& options) : m_usage(usage) {
    m_parser.addOptions(options);
}

bool CliArguments::Parse(const QStringList& words, qsizetype count, qsizetype most) {
    // The parser skips the first word, which is the program's name on a whole command line.
    if (!m_parser.parse(QStringList{QStringLiteral("tavoro-cli")} + words)) {
        Refuse(m_parser.errorText());
        return false;
    }
    m_words = m_parser.positionalArguments();
    if (m_words.size() < count || m_words.size() > std::max(count, most)) {
        Refuse();
        return false;
    }
    return true;
}

int CliArguments::Refuse(const QString& problem) const {
    if (!problem.isEmpty())
        std::fprintf(stderr, "tavoro-cli: %s\n", qPrintable(problem));
    return cliUsageError(m_usage);
}
