#include "cli/commandparser.h"

#include "cli/console.h"

namespace lumarc::cli {

QCommandLineOption flag(const QStringList &names) { return QCommandLineOption(names); }

QCommandLineOption valued(const QStringList &names, const QString &valueName)
{
    return QCommandLineOption(names, QString(), valueName);
}

CommandParser::CommandParser(const QString &command, const char *help, const QList<QCommandLineOption> &options)
    : m_command(command), m_help(help)
{
    // "-j4" and "-o DIR" as the short forms always worked; "--output=DIR" as the long ones.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.addOption(flag({QStringLiteral("h"), QStringLiteral("help")}));
    m_parser.addOptions(options);
    for (const QCommandLineOption &option : options) {
        if (!option.valueName().isEmpty())
            for (const QString &name : option.names())
                m_valued.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    }
}

std::optional<int> CommandParser::parse(const QStringList &args)
{
    // Help wins over any other mistake on the line, as it always did.
    if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help"))) {
        printOut(QString::fromUtf8(m_help));
        return kExitOk;
    }
    // The messages name the option as it was typed, as they always did.
    if (!args.isEmpty() && m_valued.contains(args.last()))
        return usageError(QStringLiteral("option '%1' needs a value").arg(args.last()));
    if (!m_parser.parse(QStringList{QStringLiteral("lumarc")} + args)) {
        for (const QString &unknown : m_parser.unknownOptionNames()) {
            for (const QString &arg : args)
                if (arg.startsWith(QLatin1Char('-')) && arg.section(QLatin1Char('='), 0, 0).endsWith(unknown))
                    return usageError(QStringLiteral("unknown option '%1'").arg(arg.section(QLatin1Char('='), 0, 0)));
        }
        return usageError(m_parser.errorText());
    }
    return std::nullopt;
}

int CommandParser::usageError(const QString &detail) const { return cli::usageError(m_command, detail); }

}  // namespace lumarc::cli
