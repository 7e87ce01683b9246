#include "cli/console.h"

#include "i18n/messages.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace lumarc::cli {

void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void printErr(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void report(const QString &path, const QString &detail)
{
    // Multi-line details (folder errors) are joined so that every message stays one line.
    printErr(QStringLiteral("lumarc: ") + (path.isEmpty() ? QString() : path + QStringLiteral(": "))
             + messages::oneLine(detail) + QLatin1Char('\n'));
}

void report(const Error &error)
{
    report(error.path, error.detail);
}

int usageError(const QString &command, const QString &detail)
{
    printErr(QStringLiteral("lumarc%1: %2\nTry 'lumarc %3--help' for more information.\n")
                 .arg(command.isEmpty() ? QString() : QLatin1Char(' ') + command, detail,
                      command.isEmpty() ? QString() : command + QLatin1Char(' ')));
    return kExitUsage;
}

bool stdinIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

bool stderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

bool askYesNo(const QString &question)
{
    printErr(question + QStringLiteral(" [y/N] "));
    std::string line;
    if (!std::getline(std::cin, line))
        return false;
    const QString answer = QString::fromStdString(line).trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

} // namespace lumarc::cli
