#pragma once

// One function per subcommand; each takes the arguments after the subcommand's name and
// returns the process exit code (see ExitCode).

#include <QStringList>

namespace lumarc::cli {

int runInfo(const QStringList &args);
int runSet(const QStringList &args);
int runExport(const QStringList &args);
int runImport(const QStringList &args);
int runAdd(const QStringList &args);
int runBuild(const QStringList &args);
int runVerify(const QStringList &args);

}  // namespace lumarc::cli
