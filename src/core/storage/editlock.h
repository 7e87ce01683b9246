#pragma once

// A lock held for the read-modify-write of a project or settings file, so that two programs
// changing one file at once cannot lose each other's work. The command line's add, set and
// import hold it from before the read until after the save; the lock is "<file>.lock"
// beside the file and goes away with the holder, also when that process dies.

#include "support/error.h"

#include <QLockFile>
#include <QString>

#include <memory>

namespace lumarc {

inline constexpr int kEditLockWaitMs = 5000;

// The held lock; released when the pointer goes. Waits up to waitMs for another holder.
// Errors: Refused when another program still holds it after the wait, WriteFailed when the
// lock file cannot be made (for example in a read-only folder); both name the file.
Result<std::shared_ptr<QLockFile>> lockForEditing(const QString &path, int waitMs = kEditLockWaitMs);

} // namespace lumarc
