#pragma once

// Makes a whole gallery from a project: destination folder and viewer files, photos and
// thumbnails, pages, style sheet, in that order. Synchronous; the command line calls it
// directly and the desktop program runs it on a worker with a copy of the project.

#include "generator/outputfolder.h"
#include "generator/progress.h"
#include "model/project.h"
#include "support/error.h"

#include <QList>
#include <QString>

#include <optional>

namespace lumarc {

struct BuildOptions {
    bool htmlOnly = false;  // rewrite pages, style sheet and viewer files; leave images alone
    int workers = 0;        // image workers; 0 means one per core
    ConfirmEmptying confirmEmptying;  // asked before a non-empty folder is emptied
};

struct BuildReport {
    // Set when the build ended early: no images, a bad layout, a declined or failed folder.
    std::optional<Error> fatal;
    QList<Error> failures;  // per-file problems; the build went on past each
    bool stopped = false;   // a stop was requested; pages were not written
    int imagesProduced = 0; // records whose two files were both written
    QString firstPage;      // full path of index.html or zeb.html once the pages exist

    bool succeeded() const { return !fatal && !stopped && failures.isEmpty(); }
};

BuildReport buildGallery(const Project &project, const BuildOptions &options, Progress &progress);

} // namespace lumarc
