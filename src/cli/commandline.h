#pragma once

// The headless subcommands of the lumarc executable.

#include <QStringList>

namespace lumarc::cli {

// True when the first argument after the program names a subcommand or one of the
// program's own options (--help, -h, --version): the program then runs headless.
bool isSubcommand(const char *firstArgument);

// Runs the subcommand named by arguments[1]; returns the process exit code.
int run(const QStringList &arguments);

} // namespace lumarc::cli
