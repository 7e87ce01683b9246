#pragma once

// Generated pictures for the tests and the benchmark, written through the same engine that
// reads them, so that neither needs image files in the repository nor libvips headers.

#include "support/error.h"

#include <QString>

namespace lumarc::test {

enum class SyntheticColour { Rgb, Grey, Cmyk };

struct SyntheticImage {
    int width = 64;
    int height = 48;
    SyntheticColour colour = SyntheticColour::Rgb;
    bool sixteenBit = false;  // PNG and TIFF only
    bool alpha = false;       // a half-transparent alpha band
    int orientation = 1;      // EXIF orientation stored with a JPEG
    double noise = 0.0;       // standard deviation of added Gaussian noise, in 8-bit levels
    int quality = 90;         // JPEG and WebP
    bool interlaced = false;  // PNG: Adam7 interlacing; JPEG: progressive
};

// The picture: left half pure red, right half pure blue (before noise), in the file's own
// orientation. The format follows the extension: jpg, png, tif, webp, gif.
Status writeSyntheticImage(const QString &path, const SyntheticImage &spec);

} // namespace lumarc::test
