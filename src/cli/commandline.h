#pragma once

// The headless subcommands of the lumarc executable.

#include <QStringList>

namespace lumarc::cli {

// Runs the subcommand named by arguments[1]; returns the process exit code.
int run(const QStringList &arguments);

} // namespace lumarc::cli
