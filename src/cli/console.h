#pragma once

// Output of the headless subcommands: results on stdout, messages on stderr, each message
// in the form "lumarc: <path>: <problem>".

#include "support/error.h"

#include <QString>

namespace lumarc::cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitSomeFailed = 1,  // the job finished, but some items failed
    kExitUsage = 2,       // bad usage or invalid input: nothing was done
    kExitRefused = 3,     // the job was declined (for example a non-empty destination)
};

void printOut(const QString &text);   // stdout, as is
void printErr(const QString &text);   // stderr, as is
void report(const Error &error);      // "lumarc: path: detail" on stderr
void report(const QString &path, const QString &detail);
int usageError(const QString &command, const QString &detail);  // reports and returns kExitUsage

bool stdinIsTerminal();
bool stderrIsTerminal();

// Reads one answer line from stdin; true for "y" or "yes" in any case.
bool askYesNo(const QString &question);

} // namespace lumarc::cli
