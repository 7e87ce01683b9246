#pragma once

// What the subcommands say about the project files they open.

#include <QString>

namespace lumarc::cli {

// Tells the user that a load gave `count` output names new ones; `saved` says whether the
// file keeps them. Nothing for 0.
void reportRenamedOutputNames(const QString &path, int count, bool saved);

}  // namespace lumarc::cli
