#pragma once

// Folder operations of a build, with errors in the form the user sees for folders:
// "Error number:" and the system's error number, then "Error description:" and its text.

#include "support/error.h"

#include <QString>

namespace lumarc {

// Creates the folder and any missing parents; an existing folder is fine.
Status ensureFolder(const QString &folder);

// Deletes every file directly in the folder; subfolders and their contents stay.
Status deleteFiles(const QString &folder);

// Empties an existing folder of its files, or creates a missing one.
Status emptyOrCreateFolder(const QString &folder);

// True when the folder directly contains at least one file.
bool holdsFiles(const QString &folder);

} // namespace lumarc
