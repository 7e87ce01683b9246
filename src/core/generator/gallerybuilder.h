#pragma once

// Makes a whole gallery from a project: destination folder and viewer files, photos and
// thumbnails, pages, style sheet, in that order. Synchronous; the command line calls it
// directly and the desktop program runs it on a worker with a copy of the project.
//
// A build writes only inside its destination folder and removes only what an earlier
// gallery left there. Before anything is written it refuses a destination that holds a link
// where the build would write, and one where an input of the build (a source photo, a
// background image, the project or settings file) would be deleted or overwritten.

#include "generator/outputfolder.h"
#include "generator/progress.h"
#include "model/project.h"
#include "support/error.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumarc {

struct BuildOptions {
    bool htmlOnly = false;            // rewrite pages, style sheet and viewer files; leave images alone
    int workers = 0;                  // image workers; 0 means one per core
    ConfirmEmptying confirmEmptying;  // asked before existing files are removed or written over
    QStringList protectedFiles;       // the project or settings file in use
    // Where a relative destination folder lies: the project file's folder, so that a project
    // builds into the same place wherever the program was started; empty for the working folder.
    QString relativeBase;
};

struct BuildReport {
    // Set when the build ended early: no images, a bad layout, a declined or refused folder.
    std::optional<Error> fatal;
    QList<Error> failures;       // per-file problems; the build went on past each
    QList<Error> warnings;       // values replaced or links left out; the build still succeeds
    bool stopped = false;        // a stop was requested; pages were not written
    int imagesProduced = 0;      // records whose two files were both written
    int renamedOutputNames = 0;  // unsafe or shared output names given new ones for this build
    int deletedFiles = 0;        // files removed from the folder before the build wrote
    bool asked = false;          // confirmEmptying was asked
    QString firstPage;           // full path of index.html or zeb.html once it is written

    bool succeeded() const { return !fatal && !stopped && failures.isEmpty(); }
};

// The destination as an absolute path with its own links resolved; a relative one lies in
// `base` (the working folder when empty). The user may point a build at a link to a folder,
// but everything inside is then checked against the real place.
QString resolveDestination(const QString &folder, const QString &base);

BuildReport buildGallery(const Project &project, const BuildOptions &options, Progress &progress);

}  // namespace lumarc
