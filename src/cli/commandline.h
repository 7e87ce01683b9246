#pragma once

// The headless subcommands of the lumarc executable.

#include <QStringList>

namespace lumarc::cli {

// True when the arguments ask for the command line: a subcommand, an option, or more than
// one argument (a mistyped command). No argument, or one file to open, is the desktop.
bool runsHeadless(int argc, char *argv[]);

// Runs the subcommand named by arguments[1]; returns the process exit code.
int run(const QStringList &arguments);

}  // namespace lumarc::cli
