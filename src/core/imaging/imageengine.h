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

#include <functional>
#include <memory>

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

// A file type the engine can read, for the open-file filter.
struct ImageFormat {
    QString description;     // "JPEG"
    QStringList extensions;  // lower case, without dot: "jpg", "jpeg", "jpe"
};

// The readable formats in the engine's own order; built on first use, kept for the run.
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
    // Baseline JPEG without metadata, encoded in memory. Error code Encode.
    Result<QByteArray> encodeJpeg(int quality) const;
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

// Reads the header, checks the pixel limit, asks `rule` for the size and decodes the first
// frame or page once, shrinking on load where the format allows (JPEG), to exactly that size.
// Orientation, ICC profile, CMYK, grey, 16-bit and alpha (on white) are all resolved here.
// Only regular files (or links to them) are opened. The decode is admitted against the
// decode memory budget (imaging/decodebudget.h) first, and may wait there for other decodes
// to finish; a truncated or corrupt file fails instead of giving a partly grey picture.
// Error codes: NotFound, ReadFailed, Decode (not a regular file, unreadable, truncated,
// corrupt, over the pixel limit or over the whole budget), whatever `rule` returns, Encode
// when scaling fails.
Result<Picture> loadPicture(const QString &path, const SizeRule &rule);

// The upright size from the header alone. Same errors as loadPicture() for the header.
Result<QSize> readSize(const QString &path);
// The same for a file opened already, read through its own handle: what was checked is
// what the caller then copies.
Result<QSize> readSize(fileops::ReadFile &file);

} // namespace lumarc::imaging
