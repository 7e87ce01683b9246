#pragma once

// The destination folder of a build: what an earlier gallery left there, what a build
// removes or writes over and what it leaves alone, and the viewer files that every page
// loads. The build driver opens the folder (which locks it for the length of the build),
// surveys it before anything is written, and prepares it once the survey passed its checks
// and the caller agreed. Every file of the build is then written through the folder's own
// handles, so that a link planted after the survey is never followed.

#include "support/error.h"
#include "support/fileops.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace lumarc {

// The gallery's own subfolders.
inline constexpr char kImagesFolderName[] = "images";
inline constexpr char kLibraryFolderName[] = "library";
inline constexpr char kThumbsFolderName[] = "thumbs";
inline constexpr char kPhotosFolderName[] = "photos";

// "library/<name>": a file of the library folder, as the gallery folder names it.
inline QString libraryName(const QString &name) { return QLatin1String(kLibraryFolderName) + QLatin1Char('/') + name; }

// An empty file a clean build leaves at the top of its folder before it writes any image: it
// marks the folder as a gallery's even when the build is stopped before its pages exist.
inline constexpr char kGalleryMarkerName[] = ".lumarc-gallery";
// What the last full build wrote (see buildrecord.h).
inline constexpr char kBuildRecordName[] = ".lumarc-build.json";

// What a build would do to an existing destination folder. Names are relative to the
// folder, "/" separated, spelt as the folder spells them; folders end in "/".
struct DestinationSurvey {
    // The folder holds a page that a gallery build wrote (its generator line), or the marker of
    // a build that was stopped: its pages, viewer files and the files in the four subfolders
    // are that gallery's.
    bool earlierGallery = false;
    // Files a clean build removes: all of an earlier gallery's; in a folder without one,
    // only the pages and viewer files at the top, which the user is asked about.
    QStringList toDelete;
    // Files an "HTML only" build writes over in a folder without an earlier gallery.
    QStringList toReplace;
    // Files inside images, library, thumbs or photos of a folder without an earlier gallery:
    // the user's own. A clean build refuses to run rather than remove them.
    QStringList userFiles;
    // Entries a build never touches.
    QStringList staying;
    // A page at the top carries the generator line: a gallery build wrote it.
    bool generatorPage = false;

    // Whether the user must agree before the build goes on.
    bool needsConsent() const { return !toDelete.isEmpty() || !toReplace.isEmpty(); }
};

// Asked before a build removes or writes over existing files; true to proceed.
using ConfirmEmptying = std::function<bool(const QString &folder, const DestinationSurvey &survey)>;

// True for names a build writes at the top of the destination: index.html, zeb.html,
// zebN.html and the viewer's scripts and style sheet. Exact spelling; see GalleryFolder for
// names as a file system compares them.
bool isGalleryFileName(const QString &name);
bool isPageFileName(const QString &name);

// The destination of one build, held open and locked from open() until it is destroyed.
// Thread-safe for writes once prepared: image workers write through it at once.
class GalleryFolder {
public:
    // Creates the folder (with missing parents) unless it exists, opens it and locks it.
    // The path may be a link to a folder; nothing inside is reached through a link.
    // Errors: WriteFailed with the system's number and words; Refused when another build holds it.
    static Result<std::unique_ptr<GalleryFolder>> open(const QString &folder);

    const QString &path() const { return m_root.path(); }
    // The native path of a name relative to the folder, for messages.
    QString pathOf(const QString &relative) const;

    // Looks at the folder without changing it. `writes` are the names an "HTML only" build
    // would write; `inputs` the identities of every file the build reads. Errors, before
    // anything is changed: WriteFailed for a link among the gallery's names or inside its
    // subfolders, a file where a subfolder belongs, a folder the build cannot write into;
    // Invalid for an input the build would remove or write over, and for user files in the
    // subfolders of a clean build's folder that holds no gallery.
    Result<DestinationSurvey> survey(bool clean, const QStringList &writes, const QSet<fileops::FileId> &inputs) const;

    // Removes the surveyed files (those to delete), creates the subfolders and writes the
    // viewer files. A viewer file that cannot be written does not stop the build: it is
    // added to `warnings`. `removed` counts what was deleted, also when a deletion fails.
    Status prepare(const DestinationSurvey &survey, bool clean, QList<Error> *warnings, int *removed);

    // Writes a file: "index.html" or "<subfolder>/<name>". A subfolder is created when missing.
    Status write(const QString &relative, const QByteArray &bytes) const;
    // Copies an open file there in pieces.
    Status copy(const QString &relative, fileops::ReadFile &source) const;
    // Opens one of the four subfolders, creating it when missing; a link there is refused.
    Status openSubfolder(const QString &name) const;
    // What lies at that name now, links not followed.
    fileops::Entry entry(const QString &relative) const;
    // The stamp of a regular file there, links not followed; nullopt for anything else.
    std::optional<fileops::Stamp> stamp(const QString &relative) const;
    // The whole of a regular file there, at most `max` bytes, links not followed.
    Result<QByteArray> read(const QString &relative, qint64 max) const;
    // Removes a file there (a link itself, never what it points at); a missing one is fine.
    Status remove(const QString &relative) const;

    // From now on a file whose bytes are already there is left alone, keeping its times.
    void keepUnchangedFiles() { m_keepUnchanged = true; }
    // SHA-256 (hex) of the bytes of every file written or found unchanged since the folder
    // was opened, by relative name.
    QHash<QString, QByteArray> writtenFiles() const;

private:
    explicit GalleryFolder(fileops::Folder root) : m_root(std::move(root)) {}
    // The folder that holds a relative name and the name inside it.
    Result<std::pair<const fileops::Folder *, QString>> locate(const QString &relative) const;
    Result<const fileops::Folder *> subfolder(const QString &name, bool create) const;
    // The same for a name that must already exist: nothing is created.
    Result<std::pair<const fileops::Folder *, QString>> locateExisting(const QString &relative) const;
    // Whether those bytes are at that name already.
    bool holds(const fileops::Folder &folder, const QString &name, const QByteArray &bytes) const;
    void written(const QString &relative, const QByteArray &bytes) const;

    fileops::Folder m_root;
    mutable QMutex m_mutex;
    mutable QHash<QString, std::shared_ptr<fileops::Folder>> m_subfolders;
    mutable QHash<QString, QByteArray> m_written;
    bool m_keepUnchanged = false;
};

// The embedded viewer files as written into a gallery: relative path and resource path.
struct ViewerFile {
    const char *target;    // relative to the destination folder, "/" separated
    const char *resource;  // Qt resource path
};
const QList<ViewerFile> &viewerImages();
const QList<ViewerFile> &viewerScripts();

}  // namespace lumarc
