#pragma once

// Makes a whole gallery from a project: destination folder and viewer files, photos and
// thumbnails, pages, style sheet, in that order. Synchronous; the command line calls it
// directly. The desktop program runs it in its two stages on workers, and asks the user
// between them on its own thread.
//
// A build writes only inside its destination folder and removes only what an earlier
// gallery left there. A folder that holds this project's gallery, with its build record, is
// updated in place without a question: only what changed is made, and only what the build
// itself wrote and nobody changed since is removed. Before anything is written it refuses a destination that holds a link
// where the build would write, and one where an input of the build (a source photo, a
// background image, the project or settings file) would be deleted or overwritten.

#include "generator/buildrecord.h"
#include "generator/outputfolder.h"
#include "generator/progress.h"
#include "model/project.h"
#include "support/error.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace lumarc {

struct BuildOptions {
    bool htmlOnly = false;  // rewrite pages, style sheet and viewer files; leave images alone
    bool clean = false;     // make everything again, even in this project's own gallery
    // Names the project in the build record (see projectKey()); asked at most once, only when
    // a record is read or written. Unset, or empty: no record is read or written.
    std::function<QByteArray()> projectKey;
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
    int imagesProduced = 0;      // records whose files to make were all written
    int imagesFailed = 0;        // records with files to make that were not all written
    int imagesKept = 0;          // records whose two files were already there as made
    int imagesRemoved = 0;       // images that left the project, whose files were removed
    bool updated = false;        // the project's own gallery was updated in place
    int renamedOutputNames = 0;  // unsafe or shared output names given new ones for this build
    int deletedFiles = 0;        // files removed from the folder before the build wrote
    bool asked = false;          // the folder held files that needed the user's consent
    QString firstPage;           // full path of index.html or zeb.html once it is written

    bool succeeded() const { return !fatal && !stopped && failures.isEmpty(); }
};

// The destination as an absolute path with its own links resolved; a relative one lies in
// `base` (the working folder when empty). The user may point a build at a link to a folder,
// but everything inside is then checked against the real place.
QString resolveDestination(const QString &folder, const QString &base);

// One build in two stages. The first does everything up to the survey of the destination:
// the checks of the project, opening and locking the folder, looking at what it holds. The
// second, given the caller's answer when the survey needs consent, prepares the folder and
// writes the gallery. The folder stays open and locked in between; the build holds its own
// copy of the project. options.confirmEmptying is not used: the caller asks.
class GalleryBuild {
public:
    GalleryBuild(const Project &project, const BuildOptions &options, Progress &progress);
    ~GalleryBuild();
    GalleryBuild(const GalleryBuild &) = delete;
    GalleryBuild &operator=(const GalleryBuild &) = delete;

    // Whether existing files would be removed or written over; false once the build ended, and
    // for an update in place.
    bool needsConsent() const;
    // The resolved destination and what the survey found there, for the question.
    const QString &folder() const { return m_folderPath; }
    const DestinationSurvey &survey() const { return m_survey; }

    // The rest of the build, once. Where consent was needed and not given, the build ends
    // untouched with a Refused error; a build that ended in the first stage just reports.
    BuildReport finish(bool consent, Progress &progress);

private:
    Project m_project;
    bool m_htmlOnly;
    int m_workers;
    QByteArray projectKey();
    std::function<QByteArray()> m_keySource;
    std::optional<QByteArray> m_projectKey;
    // The build record of this project's own gallery, when the folder is updated in place.
    std::optional<BuildRecord> m_record;
    QString m_folderPath;
    std::unique_ptr<GalleryFolder> m_folder;
    DestinationSurvey m_survey;
    BuildReport m_report;
};

// "96 images: 1 made, 95 unchanged, 2 removed, 0.3 s", for the end of a build.
QString buildSummary(const BuildReport &report, int images, bool htmlOnly, qint64 milliseconds);

// Both stages at once, asking options.confirmEmptying in between when consent is needed.
BuildReport buildGallery(const Project &project, const BuildOptions &options, Progress &progress);

}  // namespace lumarc
