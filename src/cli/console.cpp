#include "cli/console.h"

#include "i18n/messages.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace lumarc::cli {

namespace {

QString escapedControls(const QString &text, bool keepLineBreaks)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (keepLineBreaks && (u == '\n' || u == '\t'))
            out += c;
        else if (u == '\n')
            out += QLatin1String("\\n");
        else if (u == '\r')
            out += QLatin1String("\\r");
        else if (u == '\t')
            out += QLatin1String("\\t");
        else if (u < 0x20)
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else if (u >= 0x7F && u < 0xA0)
            out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

QString visible(const QString &text) { return escapedControls(text, false); }

void printOut(const QString &text) { write(stdout, escapedControls(text, true)); }

void printErr(const QString &text) { write(stderr, escapedControls(text, true)); }

void printErrRaw(const QString &text) { write(stderr, text); }

void report(const QString &path, const QString &detail)
{
    // Multi-line details (folder errors) are joined so that every message stays one line.
    printErr(QStringLiteral("lumarc: ") + (path.isEmpty() ? QString() : visible(path) + QStringLiteral(": "))
             + visible(messages::oneLine(detail)) + QLatin1Char('\n'));
}

void report(const Error &error) { report(error.path, error.detail); }

int failed(const Error &error)
{
    report(error);
    return error.code == ErrorCode::Refused ? kExitRefused : kExitUsage;
}

int usageError(const QString &command, const QString &detail)
{
    printErr(QStringLiteral("lumarc%1: %2\nTry 'lumarc %3--help' for more information.\n")
                 .arg(command.isEmpty() ? QString() : QLatin1Char(' ') + command, detail,
                      command.isEmpty() ? QString() : command + QLatin1Char(' ')));
    return kExitUsage;
}

bool stdinIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

bool stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

bool askYesNo(const QString &question)
{
    printErr(question + QStringLiteral(" [y/N] "));
    std::string line;
    if (!std::getline(std::cin, line))
        return false;
    const QString answer = QString::fromStdString(line).trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

}  // namespace lumarc::cli
