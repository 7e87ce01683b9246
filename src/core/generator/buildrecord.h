#pragma once

// What a full build wrote, kept at the top of its folder so that the next build of the same
// project redoes only what changed. The record lists only names a build writes and holds no
// path or name from the user's disk: the project is known by a keyed hash. A record is a
// hint, never an authority: one that does not parse exactly as the build writes it is no
// record, and a file it lists is kept or removed only while its bytes are what it says.

#include "generator/outputfolder.h"
#include "model/project.h"
#include "support/fileops.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QSettings;

namespace lumarc {

// One photo or thumbnail as it was made.
struct RecordedOutput {
    QByteArray recipe;      // hash of every setting that shapes the file
    QByteArray source;      // the source's stamp (size, times, file number)
    QByteArray sourceHash;  // SHA-256 of the source's bytes, hex; empty when never computed
    QByteArray hash;        // SHA-256 of the bytes written, hex
    QByteArray stamp;       // the written file's stamp when it was recorded
    friend bool operator==(const RecordedOutput &, const RecordedOutput &) = default;
};

struct BuildRecord {
    QByteArray project;                      // keyed hash naming the project, hex
    QHash<QString, RecordedOutput> outputs;  // "photos/<name>.jpg", "thumbs/<name>.jpg"
};

// The largest record read, and the most outputs it may list.
inline constexpr qint64 kMaxRecordBytes = 64 * 1024 * 1024;
inline constexpr int kMaxRecordedOutputs = 400000;

QByteArray serialiseBuildRecord(const BuildRecord &record);
// nullopt for anything but a record as the build writes it: unknown fields or names, names
// outside photos/ and thumbs/, "..", absolute paths, counts or lengths out of bounds.
std::optional<BuildRecord> parseBuildRecord(const QByteArray &bytes);

// The project's name in a record: HMAC-SHA-256 with a random key kept in `store`, made on
// first use, of the project file's absolute path, or of the sorted source paths of a project
// that has no file.
QByteArray projectKey(QSettings &store, const QString &projectFile, const QStringList &sources);

// A file stamp as a record keeps it.
QByteArray stampText(const fileops::Stamp &stamp);

// What a build makes, keeps and removes; the window and the command line both build through it.
struct BuildPlan {
    std::vector<quint8> make;   // per record: kMakeThumb and kMakePhoto, or 0 to keep both
    int kept = 0;               // records whose two files are kept as they are
    QStringList remove;         // outputs of images that left the project, bytes as recorded
    QStringList changedByHand;  // outputs of images that left, changed since: they stay
    int removedImages = 0;      // images that left and whose files go
    // What the next record says of each file kept, and of each source looked at.
    QHash<QString, RecordedOutput> keptOutputs;
    QHash<QString, RecordedOutput> madeOutputs;  // recipe and source; the hash once written
};

// The recipes of the two files under today's settings.
QByteArray thumbRecipe(const GallerySettings &settings);
QByteArray photoRecipe(const GallerySettings &settings);

// Decides every record's work. Without a record everything is made and nothing removed.
// Reads sources only for their stamps, and hashes a source only when its stamp differs from
// the record's; reads a listed output only when its stamp differs from the record's.
BuildPlan planBuild(const Project &project, const BuildRecord *record, const GalleryFolder &folder);

}  // namespace lumarc
