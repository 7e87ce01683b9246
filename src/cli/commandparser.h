#pragma once

// The options of one subcommand, declared once and read by Qt's parser. Help is the
// command's own text; a usage error (an unknown option, a missing value, a wrong number of
// arguments) is reported with the command's name and exits with kExitUsage.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumarc::cli {

// An option without a value and one with a value, by their names: {"o", "output"}.
QCommandLineOption flag(const QStringList &names);
QCommandLineOption valued(const QStringList &names, const QString &valueName);

class CommandParser {
public:
    CommandParser(const QString &command, const char *help, const QList<QCommandLineOption> &options = {});

    // nullopt when the arguments were read and the command goes on; otherwise the exit code,
    // after the help was printed or the usage error reported.
    std::optional<int> parse(const QStringList &args);

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList positional() const { return m_parser.positionalArguments(); }

    // Reports a usage error of this command; returns kExitUsage.
    int usageError(const QString &detail) const;

private:
    QString m_command;
    const char *m_help;
    QCommandLineParser m_parser;
    QStringList m_valued;  // "-o", "--output": the options that take a value, as typed
};

}  // namespace lumarc::cli
