#pragma once

// Writes the gallery's JPEG files: thumbs/<output_name>.jpg and photos/<output_name>.jpg for
// every live record. The build driver calls makeImages(); the size rule is public because the
// pages and the tests need the same numbers.

#include "generator/outputfolder.h"
#include "generator/progress.h"
#include "model/project.h"
#include "support/error.h"

#include <QList>
#include <QSize>
#include <QString>

#include <vector>

namespace lumarc {

constexpr int kThumbQuality = 80;   // thumbnails, whatever jpeg_quality says
constexpr int kSharpenAmount = 25;  // both files
// The largest side a JPEG can hold; a box setting beyond it is refused, naming the field.
constexpr int kMaxBoxSide = 65500;
// Every picture between the decode and the file is 8-bit RGB.
constexpr int kPictureBytesPerPixel = 3;

// The size an image of w x h gets in a box of boxW x boxH. An image that fits the box is
// never enlarged. With keepAspect the computed side is rounded to nearest, halves to even;
// without it a larger image is stretched to the box exactly. Sides are at least 1. An
// invalid QSize() when the box or the image has a side below 1.
QSize targetSize(int w, int h, int boxW, int boxH, bool keepAspect);

// One JPEG to write from a source: to `path`, or, with a gallery folder, to `relative` in it
// (`path` then names it in messages).
struct ImageTarget {
    QString path;
    int boxWidth = 0;
    int boxHeight = 0;
    int quality = kThumbQuality;
    const GalleryFolder *folder = nullptr;
    QString relative;
};

// Decodes `source` once and writes every target from it, each fitted into its own box (sides
// 1 to kMaxBoxSide) and sharpened by `sharpenAmount`. The memory budget is charged for the
// decode and the largest target's copies before either is made. Returns the failures, in target order, each with the target
// path and a detail starting "proc:NewImage/err2: " (source unreadable, or save failed), or
// a pair "proc:resize_image/err1: " and "proc:NewImage/err3: " (scaling failed; no file).
QList<Error> produceImage(const QString &source, const QList<ImageTarget> &targets, bool keepAspect,
                          int sharpenAmount = kSharpenAmount);

// Which files of a record makeImages() makes.
inline constexpr quint8 kMakeThumb = 1;
inline constexpr quint8 kMakePhoto = 2;

struct ImageReport {
    QList<Error> failures;  // folder problems first, then by record index, thumbnail first
    int produced = 0;       // records whose two files were both written
    bool stopped = false;   // a stop was requested before every image was done
};

// Produces both files of every record, with
// `workers` threads
// (0: one per core), one image per thread. The files do not depend on the number of workers.
// progress.step() and progress.stopRequested() are called only from the calling thread, as
// images finish; after a stop the images in progress are finished and the rest skipped.
// A record whose output name is not a plain file name is a failure and writes nothing, so
// that no file lands outside the destination. With `make`, one entry per record, only the
// files it names are made (see kMakeThumb), and progress counts only the records with work.
ImageReport makeImages(const Project &project, const GalleryFolder &folder, int workers, Progress &progress,
                       const std::vector<quint8> *make = nullptr);

}  // namespace lumarc
