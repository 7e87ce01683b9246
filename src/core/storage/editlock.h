#pragma once

// A lock held for the read-modify-write of a project or settings file, so that two programs
// changing one file at once cannot lose each other's work. The command line's add, set and
// import hold it from before the read until after the save, and the desktop program while it
// saves. The lock belongs to the real file: "<file>.lock" beside the file a link leads to, so
// that edits through a link and through the file's own name exclude each other.

#include "support/error.h"
#include "support/fileops.h"

#include <QString>

#include <memory>

namespace lumarc {

inline constexpr int kEditLockWaitMs = 5000;

// The lock file of a project or settings file: beside the real file, links resolved.
QString editLockPath(const QString &path);

// The held lock; released when the pointer goes. Waits up to waitMs for another holder.
// Errors: Refused when another program still holds it after the wait, WriteFailed when
// the lock file cannot be made (for example in a read-only folder); both name the lock file.
Result<std::shared_ptr<fileops::FileLock>> lockForEditing(const QString &path, int waitMs = kEditLockWaitMs);

}  // namespace lumarc
