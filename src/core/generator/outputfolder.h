#pragma once

// Prepares the destination folder of a build: creates it (with missing parents), empties it
// after the caller confirms, and writes the viewer files that every page loads. The build
// driver calls it before anything else is written.

#include "support/error.h"

#include <QString>

#include <functional>

namespace lumarc {

// Asked when a clean build meets a folder that already holds files; true to proceed.
using ConfirmEmptying = std::function<bool(const QString &folder)>;

// With `clean` (a full build, not "HTML only"): a folder holding files is emptied of them
// (subfolders stay) once `confirm` agrees, and so is its images folder. The viewer files are
// written in every case. Errors: Refused when the caller declined; WriteFailed with the
// system's error number and description when a folder operation fails. A viewer file that
// cannot be written does not stop the build: it is added to `warnings`.
Status prepareDestination(const QString &folder, bool clean, const ConfirmEmptying &confirm,
                          QList<Error> *warnings = nullptr);

// The embedded viewer files as written into a gallery: relative path and resource path.
struct ViewerFile {
    const char *target;    // relative to the destination folder, "/" separated
    const char *resource;  // Qt resource path
};
const QList<ViewerFile> &viewerImages();
const QList<ViewerFile> &viewerScripts();

} // namespace lumarc
