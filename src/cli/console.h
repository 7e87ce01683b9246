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

// User data (names, titles, addresses) can hold control characters that a terminal would
// obey: a carriage return or an escape sequence could overwrite or hide a line. Every text
// from user data is shown with them written as visible escapes: \n, \r, \t, \x1b for the
// other C0 controls, and \u007f, \u009b for DEL and the C1 controls (a form that is also
// a valid escape inside a JSON string).
QString visible(const QString &text);

// stdout and stderr. Line breaks and tabs pass; every other control character is shown as
// by visible(), so no message can move the cursor or restyle the terminal.
void printOut(const QString &text);
void printErr(const QString &text);
// stderr as is, for the progress line's own carriage return and erase sequence only.
void printErrRaw(const QString &text);
void report(const Error &error);  // "lumarc: path: detail" on stderr, both visible()
void report(const QString &path, const QString &detail);
int usageError(const QString &command, const QString &detail);  // reports and returns kExitUsage
// An input that could not be read, locked or written: reported; kExitRefused for a refusal
// (another program holds the file), else kExitUsage.
int failed(const Error &error);

bool stdinIsTerminal();
bool stderrIsTerminal();

// Reads one answer line from stdin; true for "y" or "yes" in any case.
bool askYesNo(const QString &question);

}  // namespace lumarc::cli
