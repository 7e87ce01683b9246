#pragma once

// The destination folder of a build: what an earlier gallery left there, what a clean build
// removes and what it leaves alone, and the viewer files that every page loads. The build
// driver surveys the folder before anything is written and prepares it once the survey
// passed its checks and the caller agreed.

#include "support/error.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace lumarc {

// The gallery's own subfolders.
inline constexpr char kImagesFolderName[] = "images";
inline constexpr char kLibraryFolderName[] = "library";
inline constexpr char kThumbsFolderName[] = "thumbs";
inline constexpr char kPhotosFolderName[] = "photos";

// What a build would do to an existing destination folder.
struct DestinationSurvey {
    // Files a clean build removes: pages (index.html, zeb*.html) and viewer files at the
    // top level, and every file inside images, library, thumbs and photos. Full paths.
    QStringList toDelete;
    // Entries a build never touches: top-level entries that are not the gallery's, and
    // folders inside the gallery's own. Relative names, folders ending in "/".
    QStringList staying;
};

// Asked before a clean build removes the files of an earlier gallery; true to proceed.
using ConfirmEmptying = std::function<bool(const QString &folder, const DestinationSurvey &survey)>;

// True for names a build writes at the top of the destination: index.html, zeb.html,
// zebN.html and the viewer's scripts and style sheet.
bool isGalleryFileName(const QString &name);

// Looks at an existing folder without changing it; a missing folder gives an empty survey.
// Without `clean` ("HTML only") nothing is to be deleted. Errors: WriteFailed naming a
// link among the gallery's names or inside its subfolders, since a build would follow it
// out of the folder, and for a folder that cannot be listed.
Result<DestinationSurvey> surveyDestination(const QString &folder, bool clean);

// Creates the folder (with missing parents), removes the surveyed files, creates images
// and library and writes the viewer files. Errors: WriteFailed with the system's error
// number and description when a folder operation fails. A viewer file that cannot be
// written does not stop the build: it is added to `warnings`.
Status prepareDestination(const QString &folder, const DestinationSurvey &survey, QList<Error> *warnings = nullptr);

// The embedded viewer files as written into a gallery: relative path and resource path.
struct ViewerFile {
    const char *target;    // relative to the destination folder, "/" separated
    const char *resource;  // Qt resource path
};
const QList<ViewerFile> &viewerImages();
const QList<ViewerFile> &viewerScripts();

} // namespace lumarc
