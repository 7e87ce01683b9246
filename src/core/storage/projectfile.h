#pragma once

// The .zeb project file: signature, settings record, image count and image records.
// Loads the current layout ("ZEB104") and the older "ZEB100"; saves the current one.
// The desktop program and the command line call these; the fuzz target feeds the
// byte-level functions.

#include "model/project.h"
#include "support/error.h"

#include <QByteArray>
#include <QString>

namespace lumarc {

// Reads the whole file into a new Project, so a failed load leaves the caller's open
// project as it was. Errors: NotFound, ReadFailed, and BadFormat ("Invalid ZEB file!")
// for a foreign signature, a truncated file or counts that run past its end. Output
// names are repaired as in decodeProject(); renamedOutputNames, when given, gets their count.
Result<Project> loadProject(const QString &path, int *renamedOutputNames = nullptr);

// Replaces the file through QSaveFile: on failure the old file stays. Errors: Invalid
// (a text over 65535 bytes; nothing is written) and WriteFailed, each with the path.
Status saveProject(const Project &project, const QString &path);

// The file's bytes in the current layout. Invalid, naming the field, when a text
// encodes to more than 65535 bytes ("title of image 3 is longer than 65535 bytes",
// images counted from 1).
Result<QByteArray> encodeProject(const Project &project);

// The project in the bytes of either layout; BadFormat with detail "Invalid ZEB file!"
// and an empty path when they are not a whole project file. Bytes after the last
// record are ignored. Output names that would write outside the gallery folders, or
// share a file with an earlier image's, are made again (repairOutputNames()): a file
// from elsewhere must not choose which files a build overwrites. renamedOutputNames,
// when given, gets how many were.
Result<Project> decodeProject(const QByteArray &bytes, int *renamedOutputNames = nullptr);

}  // namespace lumarc
