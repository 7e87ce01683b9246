#pragma once

// The one door to libvips. Everything that decodes, scales, sharpens or encodes an image goes
// through here, so that the rest of the core never sees a libvips type or exception: calls
// return values and Error, with the file path and the operation that failed.

#include "imaging/pixelbuffer.h"
#include "support/error.h"
#include "support/fileops.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <QByteArrayView>

#include <functional>
#include <memory>
#include <optional>

namespace lumarc::imaging {

// Starts libvips once per process; safe to call from any thread, any number of times. Every
// other function here calls it, so callers need it only to fail early.
void initialise();
// Frees the per-thread buffers libvips keeps; worker threads call it before they end.
void releaseThreadResources();

// Images whose header declares more pixels than this are refused before any decoding, so a
// tiny file claiming 30000 x 30000 cannot exhaust memory. Default 300 megapixels.
constexpr qint64 kDefaultPixelLimit = 300'000'000;
void setPixelLimit(qint64 pixels);
qint64 pixelLimit();

// The kinds of image the engine reads. A file is given to the one loader its first bytes
// name, and any other file (a PDF or SVG named .jpg, a matrix or table as text) reaches no
// loader at all: the library's own choice would run every loader's detector over it.
enum class Loader { Jpeg, Png, Gif, Tiff, WebP, Heif };

// How many of a file's first bytes loaderFor() looks at.
constexpr qsizetype kSignatureBytes = 16;
// The kind whose signature `head` (a file's first kSignatureBytes bytes, or all of a
// shorter file) starts with; nullopt for every other file.
std::optional<Loader> loaderFor(QByteArrayView head);

// A file type the engine can read, for the open-file filter.
struct ImageFormat {
    QString description;     // "JPEG"
    QStringList extensions;  // lower case, without dot: "jpg", "jpeg", "jpe"
};

// The readable formats, one per Loader whose library part is present, in the order of
// Loader; built on first use, kept for the run.
QList<ImageFormat> readableFormats();
// True when the extension (without dot, any letter case) belongs to a readable format.
bool isReadableExtension(const QString &extension);
// "Image files (*.*)|*.*" followed by "|Description (*.a;*.b)|*.a;*.b" for each format.
QString buildImageFileFilter();

// An image held in memory: upright, 8-bit sRGB with three bands. Cheap to copy (shared).
class Picture {
public:
    Picture();
    ~Picture();
    Picture(const Picture &);
    Picture &operator=(const Picture &);

    bool isNull() const;
    int width() const;
    int height() const;
    QSize size() const { return QSize(width(), height()); }

    // Scaled to exactly w x h (either way). Error code Encode.
    Result<Picture> resized(int w, int h) const;
    // A mild unsharp mask: each pixel moves away from its 3 x 3 mean by amount percent.
    // Amount 0 gives the picture back unchanged. Error code Encode.
    Result<Picture> sharpened(int amount) const;
    // Baseline JPEG without metadata, encoded in memory and handed to `write` (valid only
    // during the call). Error code Encode, or what `write` returns.
    Status writeJpeg(int quality, const std::function<Status(const QByteArray &)> &write) const;
    // The same written through QSaveFile, so that a failed save leaves no partial file.
    // Error codes Encode (libvips) or WriteFailed (the file).
    Status saveJpeg(const QString &path, int quality) const;
    // The pixels as packed 8-bit RGB rows.
    PixelBuffer toPixelBuffer() const;

    struct Data;

private:
    explicit Picture(std::shared_ptr<const Data> data);
    std::shared_ptr<const Data> d;
    friend struct PictureAccess;
};

// Chooses the decoded size from the upright (orientation applied) size of the source.
using SizeRule = std::function<Result<QSize>(QSize upright)>;
// The bytes the caller will hold on top of the decoded picture (of the given upright size)
// while it works from it: scaled, sharpened and encoded copies.
using LaterBytes = std::function<qint64(QSize decoded)>;

// Reads the header, checks the pixel limit, asks `rule` for the size and decodes the first
// frame or page once, shrinking on load where the format allows (JPEG), to exactly that size.
// Orientation, ICC profile, CMYK, grey, 16-bit and alpha (on white) are all resolved here.
// Only regular files (or links to them) are opened, and only by the loader their first
// bytes name (loaderFor()). The whole production, the decode and `laterBytes`, is admitted
// against the memory budget (imaging/decodebudget.h) before anything is allocated, and may
// wait there for other productions to finish; the picture, and every picture made from it,
// holds those bytes until the last of them is gone. A truncated or corrupt file fails
// instead of giving a partly grey picture.
// Error codes: NotFound, ReadFailed, Decode (not a regular file, unreadable, not of a
// supported kind, truncated, corrupt, over the pixel limit or over the whole budget),
// whatever `rule` returns, Encode when scaling fails. Running out of memory or of file
// handles gives the system's words and its error number in Error::systemCode.
Result<Picture> loadPicture(const QString &path, const SizeRule &rule, const LaterBytes &laterBytes = {});

// The upright size from the header alone. Same errors as loadPicture() for the header.
Result<QSize> readSize(const QString &path);
// The same for a file opened already, read through its own handle: what was checked is
// what the caller then copies.
Result<QSize> readSize(fileops::ReadFile &file);

}  // namespace lumarc::imaging
