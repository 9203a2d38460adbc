#pragma once

#include "CliUsage.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The words of one command after its name, read with QCommandLineParser: the options the command
// takes and a fixed number of other words. A command line that does not fit is answered on
// standard error with the reason and the command's usage line, and status 2.
class CliArguments {
public:
    explicit CliArguments(const char* usage, const QList<QCommandLineOption>& options = {});

    // False, having said why, for an unknown option, an option without its value, or other than
    // `count` words besides the options (from `count` to `most` when most is given).
    bool Parse(const QStringList& words, qsizetype count, qsizetype most = -1);
    qsizetype WordCount() const { return m_words.size(); }

    bool IsSet(const QString& option) const { return m_parser.isSet(option); }
    QString Value(const QString& option) const { return m_parser.value(option); }
    // The words that are not options, in their order.
    const QString& Word(qsizetype index) const { return m_words.at(index); }

    // Says the problem (when there is one) and the usage line on standard error; answers the
    // status of a command line that is not understood.
    int Refuse(const QString& problem = QString()) const;

private:
    const char* m_usage;
    QCommandLineParser m_parser;
    QStringList m_words;
};
