#pragma once

// Folder operations of a build. Their errors carry the system's error number and its
// description; the messages module shows them as the user knows folder errors.

#include "support/error.h"

#include <QString>

#include <filesystem>
#include <system_error>

namespace lumarc {

// Paths as the file-system library takes them, and back.
std::filesystem::path toFs(const QString &path);
QString fromFs(const std::filesystem::path &path);

// The error of a folder operation on `path`: WriteFailed with the system's number and text.
Error folderError(const QString &path, const std::error_code &ec);

// A link where a build would write: refused, since it leads out of the destination.
Error linkRefused(const QString &path);

// Creates the folder and any missing parents; an existing folder is fine. A link in the
// folder's place is refused: a build never writes through one.
Status ensureFolder(const QString &folder);

// Removes one file (never a folder); a file that is already gone is fine.
Status removeFile(const QString &path);

} // namespace lumarc
