#include "imaging/imageengine.h"

#include "i18n/messages.h"
#include "i18n/strings.h"
#include "imaging/decodebudget.h"
#include "support/filebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <vips/vips8>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>
#include <numbers>
#include <numeric>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lumarc::imaging {

using vips::VError;
using vips::VImage;
using vips::VSource;

struct Picture::Data {
    // The budget's bytes for the whole production this picture belongs to, held until the
    // last picture made from the decode is gone. Declared first: given back after the pixels.
    std::shared_ptr<const DecodeAdmission> admission;
    VImage image;
};

// Lets the functions below build and open pictures without widening the public class.
struct PictureAccess {
    static Picture make(VImage image, std::shared_ptr<const DecodeAdmission> admission)
    {
        return Picture(std::make_shared<const Picture::Data>(Picture::Data{std::move(admission), std::move(image)}));
    }
    static const VImage &image(const Picture &picture) { return picture.d->image; }
};

namespace {

// libvips' own warnings ("premature end of JPEG file", "error in tile ...") would reach the
// user's terminal raw; a failed decode already says what went wrong in its Error, so they
// are kept for debugging only: QT_LOGGING_RULES="lumarc.vips.info=true".
Q_LOGGING_CATEGORY(lcVips, "lumarc.vips", QtWarningMsg)

std::atomic<qint64> g_pixelLimit{kDefaultPixelLimit};
bool g_started = false;

// Every load stops at a truncated file or a decoder error instead of handing back a picture
// padded with grey. Not VIPS_FAIL_ON_WARNING: that also refuses files that decode in full
// but carry a benign fault, such as stray bytes before a JPEG's end marker. Bytes after the
// end marker are never read, so they pass.
constexpr VipsFailOn kFailOn = VIPS_FAIL_ON_ERROR;

void routeVipsMessage(const gchar *, GLogLevelFlags, const gchar *message, gpointer) { qCInfo(lcVips, "%s", message); }

// libvips keeps one error buffer for the whole process; take its text and clear it so that
// the next failure (of any thread) does not repeat it.
QString takeVipsText(const VError &error)
{
    QString text = QString::fromUtf8(error.what()).trimmed();
    vips_error_clear();
    text.replace(QLatin1Char('\n'), QStringLiteral("; "));
    return text.isEmpty() ? QStringLiteral("unknown libvips error") : text;
}

// The system's words for its error number, which the error keeps.
Error systemError(ErrorCode code, const QString &path, int number, const QString &prefix = QString())
{
    Error error{code, path, prefix + QString::fromLocal8Bit(std::strerror(number))};
    error.systemCode = number;
    return error;
}

Error outOfMemory(ErrorCode code, const QString &path, const char *operation)
{
    return systemError(code, path, ENOMEM, QString::fromLatin1(operation) + QStringLiteral(": "));
}

Error vipsError(ErrorCode code, const QString &path, const char *operation, const VError &error)
{
    const QString text = takeVipsText(error);
    // libvips says "out of memory" when an allocation fails, libjpeg "Insufficient memory";
    // the user gets the system's words.
    if (text.contains(QLatin1String("out of memory"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("insufficient memory"), Qt::CaseInsensitive))
        return outOfMemory(code, path, operation);
    Error result{code, path, QString::fromLatin1(operation) + QStringLiteral(": ") + text};
    // A worker thread that could not start: the process is out of memory or of threads.
    if (text.contains(QLatin1String("Error creating thread")))
        result.systemCode = EAGAIN;
    return result;
}

Error notStarted(const QString &path)
{
    return Error{ErrorCode::Decode, path, QStringLiteral("the image library could not be started")};
}

struct LoaderInfo {
    Loader loader;
    const char *nickname;     // the libvips file loader; its "_source" twin does the reading
    const char *description;  // for the open-file filter and messages
};

// The allow-list, in the order of Loader.
constexpr LoaderInfo kLoaders[] = {
    {Loader::Jpeg, "jpegload", "JPEG"}, {Loader::Png, "pngload", "PNG"},    {Loader::Gif, "gifload", "GIF"},
    {Loader::Tiff, "tiffload", "TIFF"}, {Loader::WebP, "webpload", "WebP"}, {Loader::Heif, "heifload", "HEIF"},
};

const LoaderInfo &info(Loader loader) { return kLoaders[int(loader)]; }

bool usable(const char *nickname)
{
    const GType type = vips_type_find("VipsOperation", nickname);
    if (!type)
        return false;
    auto *klass = static_cast<VipsOperationClass *>(g_type_class_ref(type));
    const bool ok = !(klass->flags & (VIPS_OPERATION_UNTRUSTED | VIPS_OPERATION_BLOCKED));
    g_type_class_unref(klass);
    return ok;
}

// Whether this build of libvips has the loader (HEIF comes as a module), fit for hostile input.
bool isAvailable(Loader loader)
{
    return g_started && usable((QByteArray(info(loader).nickname) + "_source").constData());
}

// "JPEG, PNG, GIF, TIFF, WebP, HEIF": the kinds this build reads.
QString supportedKinds()
{
    QStringList names;
    for (const LoaderInfo &entry : kLoaders) {
        if (isAvailable(entry.loader))
            names += QString::fromLatin1(entry.description);
    }
    return names.join(QStringLiteral(", "));
}

Error unsupportedKind(const QString &path)
{
    return Error{ErrorCode::Decode, path,
                 messages::kUnsupportedKind.toString() + QStringLiteral(" (%1)").arg(supportedKinds())};
}

// The loader's file name extensions, lower case and without dot.
QStringList loaderExtensions(const char *nickname)
{
    QStringList extensions;
    const GType type = vips_type_find("VipsOperation", nickname);
    if (!type)
        return extensions;
    auto *klass = g_type_class_ref(type);
    if (const char *const *suffix = VIPS_FOREIGN_CLASS(klass)->suffs) {
        for (; *suffix; ++suffix) {
            QString extension = QString::fromLatin1(*suffix).toLower();
            if (extension.startsWith(QLatin1Char('.')))
                extension.remove(0, 1);
            if (!extension.isEmpty() && !extensions.contains(extension))
                extensions += extension;
        }
    }
    g_type_class_unref(klass);
    return extensions;
}

// The named loader and no other: a file never reaches a loader its signature did not choose.
VImage loadWith(Loader loader, const VSource &source, vips::VOption *options)
{
    switch (loader) {
    case Loader::Jpeg:
        return VImage::jpegload_source(source, options);
    case Loader::Png:
        return VImage::pngload_source(source, options);
    case Loader::Gif:
        return VImage::gifload_source(source, options);
    case Loader::Tiff:
        return VImage::tiffload_source(source, options);
    case Loader::WebP:
        return VImage::webpload_source(source, options);
    case Loader::Heif:
        return VImage::heifload_source(source, options);
    }
    return VImage::jpegload_source(source, options);
}

VImage toDisplayRgb(VImage image)
{
    bool converted = false;
    if (image.get_typeof(VIPS_META_ICC_NAME)) {
        try {
            image = image.icc_transform(
                "srgb", VImage::option()->set("embedded", true)->set("depth", 8)->set("intent", VIPS_INTENT_RELATIVE));
            converted = true;
        } catch (const VError &) {
            // A broken or mismatched embedded profile: fall back to the plain conversion.
            vips_error_clear();
        }
    }
    if (!converted)
        image = image.colourspace(VIPS_INTERPRETATION_sRGB);
    if (image.has_alpha())
        image = image.flatten(VImage::option()->set("background", std::vector<double>{255.0, 255.0, 255.0}));
    if (image.format() != VIPS_FORMAT_UCHAR)
        image = image.cast(VIPS_FORMAT_UCHAR);
    if (image.bands() > 3)
        image = image.extract_band(0, VImage::option()->set("n", 3));
    else if (image.bands() < 3)
        image = VImage::bandjoin({image, image, image}).extract_band(0, VImage::option()->set("n", 3));
    return image.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

// Scales to exactly w x h. libvips rounds its own output size, so a one-pixel difference is
// settled by cropping or edge extension rather than trusted away.
VImage scaleExactly(const VImage &image, int w, int h)
{
    if (image.width() == w && image.height() == h)
        return image;
    VImage out = image.resize(double(w) / image.width(), VImage::option()->set("vscale", double(h) / image.height()));
    if (out.width() != w || out.height() != h)
        out = out.embed(0, 0, w, h, VImage::option()->set("extend", VIPS_EXTEND_COPY));
    return out;
}

// A new 8-bit picture of w x h x bands in memory, its pixels left for the caller to fill.
VImage newPixels(int w, int h, int bands)
{
    VImage out(vips_image_new_memory());
    vips_image_init_fields(out.get_image(), w, h, bands, VIPS_FORMAT_UCHAR, VIPS_CODING_NONE, VIPS_INTERPRETATION_sRGB,
                           1.0, 1.0);
    if (vips_image_write_prepare(out.get_image()) != 0)
        throw VError();
    return out;
}

// out = (centre * p + side * (sum of its 8 neighbours) + scale / 2) / scale, clipped to 0..255,
// edges repeated: the sums of libvips' integer convolution with that mask, to the byte, but as
// a 3 x 3 box sum (one vertical sum per column, then three of those) that the compiler
// vectorises, instead of a walk over the mask for every sample.
VImage convolve3x3(const VImage &in, int centre, int side, int scale)
{
    const int w = in.width();
    const int h = in.height();
    const int bands = in.bands();
    const auto *pixels = static_cast<const quint8 *>(in.data());
    if (!pixels || in.format() != VIPS_FORMAT_UCHAR)
        throw VError("not an 8-bit picture in memory");
    VImage out = newPixels(w, h, bands);
    const std::size_t stride = std::size_t(w) * bands;
    // The column sums of one row, with its first and last pixel repeated outside it.
    std::vector<qint32> columns(stride + 2 * std::size_t(bands));
    const qint32 *const left = columns.data();
    qint32 *const sums = columns.data() + bands;
    const qint32 *const right = sums + bands;
    const qint32 middle = centre - side;
    const qint32 rounding = (scale + 1) / 2;
    // n / scale, rounded down, as a float multiply: n = k * scale + r with 0 <= r < scale, so
    // n / scale + 0.5 / scale lies at least 0.5 / scale from a whole number, and the float's
    // error, below (n / scale) * 2^-22 with n < 1800 * 256, stays under 0.11 / scale.
    const float inverse = 1.0F / float(scale);
    const float half = 0.5F / float(scale);
    for (int y = 0; y < h; ++y) {
        const quint8 *above = pixels + std::size_t(std::max(y - 1, 0)) * stride;
        const quint8 *row = pixels + std::size_t(y) * stride;
        const quint8 *below = pixels + std::size_t(std::min(y + 1, h - 1)) * stride;
        for (std::size_t i = 0; i < stride; ++i)
            sums[i] = qint32(above[i]) + row[i] + below[i];
        std::copy_n(sums, bands, columns.data());
        std::copy_n(sums + stride - bands, bands, sums + stride);
        auto *target = static_cast<quint8 *>(VIPS_IMAGE_ADDR(out.get_image(), 0, y));
        for (std::size_t i = 0; i < stride; ++i) {
            const qint32 box = left[i] + sums[i] + right[i];
            const qint32 n = std::max(middle * row[i] + side * box + rounding, 0);
            const auto value = qint32(float(n) * inverse + half);
            target[i] = quint8(std::min(value, 255));
        }
    }
    return out;
}

// One axis of a Lanczos-3 reduction: for every output sample the first input sample it reads
// and its weights, in 1/2^kWeightBits parts that add up to exactly one. Taps beyond the edge
// fall on the edge sample, as libvips extends a picture by copying its border.
constexpr int kWeightBits = 14;

struct ReductionAxis {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> offset;  // into weights
    std::vector<qint32> weights;
};

double lanczos3(double x)
{
    if (x == 0.0)
        return 1.0;
    if (std::abs(x) >= 3.0)
        return 0.0;
    const double px = std::numbers::pi * x;
    return 3.0 * std::sin(px) * std::sin(px / 3.0) / (px * px);
}

ReductionAxis reductionAxis(int in, int out)
{
    ReductionAxis axis;
    const double factor = double(in) / out;
    const double support = 3.0 * factor;
    std::vector<double> taps;
    for (int o = 0; o < out; ++o) {
        // Sample centres line up: output o covers input (o + 0.5) * factor - 0.5.
        const double centre = (o + 0.5) * factor - 0.5;
        const int lo = int(std::ceil(centre - support));
        const int hi = int(std::floor(centre + support));
        const int first = std::clamp(lo, 0, in - 1);
        const int last = std::clamp(hi, 0, in - 1);
        taps.assign(std::size_t(last - first + 1), 0.0);
        double total = 0.0;
        for (int k = lo; k <= hi; ++k) {
            const double weight = lanczos3((k - centre) / factor);
            taps[std::size_t(std::clamp(k, 0, in - 1) - first)] += weight;
            total += weight;
        }
        axis.first.push_back(first);
        axis.count.push_back(int(taps.size()));
        axis.offset.push_back(int(axis.weights.size()));
        qint32 sum = 0;
        std::size_t largest = 0;
        for (std::size_t t = 0; t < taps.size(); ++t) {
            const qint32 weight = qint32(std::lround(taps[t] / total * (1 << kWeightBits)));
            axis.weights.push_back(weight);
            sum += weight;
            if (taps[t] > taps[largest])
                largest = t;
        }
        axis.weights[axis.offset.back() + largest] += (1 << kWeightBits) - sum;
    }
    return axis;
}

quint8 toSample(qint32 weighted)
{
    return quint8(std::clamp((weighted + (1 << (kWeightBits - 1))) >> kWeightBits, 0, 255));
}

// Writes `count` rows of `pixels` pixels, `stride` bytes apart, as runs down their columns:
// pixel x of row r goes to columns + x * columnBytes + r * Bands.
template <int Bands>
void writeColumns(const quint8 *rows, std::size_t stride, int count, std::size_t pixels, quint8 *columns,
                  std::size_t columnBytes)
{
    for (std::size_t x = 0; x < pixels; ++x) {
        quint8 *column = columns + x * columnBytes;
        const quint8 *from = rows + x * Bands;
        // A fixed-size copy per pixel: left to itself the compiler assembles vectors of these
        // bytes on the stack, and stalls on every one.
        for (int r = 0; r < count; ++r, from += stride, column += Bands)
            std::memcpy(column, from, Bands);
    }
}

#if defined(__SSE2__)
// The weighted sums of `count` rows for 16 samples at a time, as the generic loop below
// computes them, two taps per multiply-add: pairs of 16-bit samples times pairs of 16-bit
// weights. The compiler's own vectorisation takes one tap per widening multiply. Returns how
// many samples it wrote.
std::size_t reduceChunksSse2(const quint8 *const *taps, const qint16 *weights, int count, std::size_t stride,
                             quint8 *target)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (kWeightBits - 1));
    std::size_t i = 0;
    for (; i + 16 <= stride; i += 16) {
        __m128i sums[4] = {zero, zero, zero, zero};
        for (int t = 0; t < count; t += 2) {
            const bool pair = t + 1 < count;
            const quint16 first = quint16(weights[t]);
            const quint16 second = pair ? quint16(weights[t + 1]) : 0;
            const __m128i weight = _mm_set1_epi32(int((quint32(second) << 16) | first));
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(taps[t] + i));
            const __m128i b = pair ? _mm_loadu_si128(reinterpret_cast<const __m128i *>(taps[t + 1] + i)) : zero;
            const __m128i aLow = _mm_unpacklo_epi8(a, zero);
            const __m128i aHigh = _mm_unpackhi_epi8(a, zero);
            const __m128i bLow = _mm_unpacklo_epi8(b, zero);
            const __m128i bHigh = _mm_unpackhi_epi8(b, zero);
            sums[0] = _mm_add_epi32(sums[0], _mm_madd_epi16(_mm_unpacklo_epi16(aLow, bLow), weight));
            sums[1] = _mm_add_epi32(sums[1], _mm_madd_epi16(_mm_unpackhi_epi16(aLow, bLow), weight));
            sums[2] = _mm_add_epi32(sums[2], _mm_madd_epi16(_mm_unpacklo_epi16(aHigh, bHigh), weight));
            sums[3] = _mm_add_epi32(sums[3], _mm_madd_epi16(_mm_unpackhi_epi16(aHigh, bHigh), weight));
        }
        for (__m128i &sum : sums)
            sum = _mm_srai_epi32(_mm_add_epi32(sum, half), kWeightBits);
        // Saturating packs: the clamp to 0..255 of toSample().
        const __m128i low = _mm_packs_epi32(sums[0], sums[1]);
        const __m128i high = _mm_packs_epi32(sums[2], sums[3]);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(target + i), _mm_packus_epi16(low, high));
    }
    return i;
}
#endif

// Reduces `inRows` rows of `stride` bytes to `rows` rows, each output row a weighted sum of
// whole input rows, which the compiler vectorises (16-bit factors, so that the widening
// multiply needs no SSE4). With `turn`, rows of pixels of `bands` bytes are written turned:
// pixel x of output row y lands at pixel y of row x, so that a second call reduces the other
// axis and turns the picture back.
void reduceRows(const quint8 *bytes, std::size_t stride, int inRows, int rows, bool turn, int bands, quint8 *out)
{
    // Turned rows are gathered a block at a time, so that each pixel's column of the block
    // is written as one run.
    constexpr int kBlock = 16;
    const ReductionAxis axis = reductionAxis(inRows, rows);
    std::vector<quint8> block(turn ? stride * kBlock : 0);
    const auto pixelBytes = std::size_t(bands);
    const std::size_t pixels = stride / pixelBytes;
    std::vector<qint16> weights;
    std::vector<const quint8 *> taps;
    for (int y = 0; y < rows; ++y) {
        const auto at = std::size_t(y);
        const int count = axis.count[at];
        weights.clear();
        taps.clear();
        for (int t = 0; t < count; ++t) {
            weights.push_back(qint16(axis.weights[std::size_t(axis.offset[at] + t)]));
            taps.push_back(bytes + std::size_t(axis.first[at] + t) * stride);
        }
        const int slot = y % kBlock;
        quint8 *target = turn ? block.data() + std::size_t(slot) * stride : out + at * stride;
        // A chunk of samples at a time, its sums kept in registers over all the taps.
        constexpr std::size_t kChunk = 16;
        std::size_t i = 0;
#if defined(__SSE2__)
        i = reduceChunksSse2(taps.data(), weights.data(), count, stride, target);
#endif
        for (; i + kChunk <= stride; i += kChunk) {
            qint32 chunk[kChunk] = {};
            for (int t = 0; t < count; ++t) {
                const qint16 weight = weights[std::size_t(t)];
                const quint8 *row = taps[std::size_t(t)] + i;
                for (std::size_t k = 0; k < kChunk; ++k)
                    chunk[k] += weight * qint16(row[k]);
            }
            for (std::size_t k = 0; k < kChunk; ++k)
                target[i + k] = toSample(chunk[k]);
        }
        for (; i < stride; ++i) {
            qint32 sum = 0;
            for (int t = 0; t < count; ++t)
                sum += weights[std::size_t(t)] * qint16(taps[std::size_t(t)][i]);
            target[i] = toSample(sum);
        }
        if (!turn || (slot != kBlock - 1 && y != rows - 1))
            continue;
        quint8 *columns = out + (at - std::size_t(slot)) * pixelBytes;
        const std::size_t columnBytes = std::size_t(rows) * pixelBytes;
        switch (bands) {
        case 1:
            writeColumns<1>(block.data(), stride, slot + 1, pixels, columns, columnBytes);
            break;
        case 2:
            writeColumns<2>(block.data(), stride, slot + 1, pixels, columns, columnBytes);
            break;
        case 3:
            writeColumns<3>(block.data(), stride, slot + 1, pixels, columns, columnBytes);
            break;
        default:
            writeColumns<4>(block.data(), stride, slot + 1, pixels, columns, columnBytes);
            break;
        }
    }
}

// Reduces an 8-bit memory image to w x h (neither side larger than the source's) with a
// Lanczos-3 kernel over the whole reduction, rows first, then columns, each rounded to 8 bits.
// Done here rather than by libvips, whose horizontal reducer walks every tap of every sample
// through generic code: that step alone cost a third of the JPEG decode. Columns are reduced
// as rows of the turned picture, so both passes are the vectorised row sum.
VImage reduceLanczos3(const VImage &in, int w, int h)
{
    const int inW = in.width();
    const int inH = in.height();
    const int bands = in.bands();
    const auto *pixels = static_cast<const quint8 *>(in.data());
    if (!pixels || in.format() != VIPS_FORMAT_UCHAR || bands > 4 || w > inW || h > inH)
        throw VError("not an 8-bit picture in memory to reduce");
    const std::size_t inStride = std::size_t(inW) * bands;
    VImage out = newPixels(w, h, bands);
    // Rows of newPixels() are packed, w * bands bytes each.
    auto *target = static_cast<quint8 *>(VIPS_IMAGE_ADDR(out.get_image(), 0, 0));
    if (w == inW) {
        reduceRows(pixels, inStride, inH, h, false, bands, target);
    } else {
        const std::unique_ptr<quint8[]> turned(new quint8[inStride * std::size_t(h)]);
        reduceRows(pixels, inStride, inH, h, true, bands, turned.get());
        reduceRows(turned.get(), std::size_t(h) * bands, inW, w, true, bands, target);
    }
    // The picture is turned upright after scaling, so the tag goes along.
    if (in.get_typeof(VIPS_META_ORIENTATION))
        out.set(VIPS_META_ORIENTATION, in.get_int(VIPS_META_ORIENTATION));
    return out;
}

// Scales a memory image to exactly w x h, into memory: reductions of up to kMaxReduction per
// side here, larger ones and enlargements by libvips, whose box shrink ahead of its Lanczos
// pass keeps the kernel short.
constexpr int kMaxReduction = 8;

VImage scaleInMemory(const VImage &image, int w, int h)
{
    if (image.width() == w && image.height() == h)
        return image;
    if (w <= image.width() && h <= image.height() && qint64(w) * kMaxReduction >= image.width()
        && qint64(h) * kMaxReduction >= image.height() && image.bands() <= 4)
        return reduceLanczos3(image, w, h);
    return scaleExactly(image, w, h).copy_memory();
}

bool isInterlaced(const VImage &header) { return header.get_typeof("interlaced") && header.get_int("interlaced") != 0; }

// Only baseline JPEG and non-interlaced PNG are decoded a band of rows at a time. A
// progressive JPEG keeps every DCT coefficient (two bytes each) until its last scan, an
// interlaced PNG is read whole before its first row is final, and GIF, TIFF, WebP and HEIF
// loaders may hold a whole frame, strip or tile set: counted whole, as the safe side.
bool decodesWhole(Loader loader, const VImage &header)
{
    if (loader == Loader::Jpeg || loader == Loader::Png)
        return isInterlaced(header);
    return true;
}

// The largest picture whose JPEG gets Huffman tables of its own rather than the standard ones.
constexpr qint64 kFittedTablesPixels = 100'000;

// How many times the target's area a decode may have and still be held whole for scaling.
constexpr qint64 kHeldDecodeRatio = 4;

// The largest JPEG shrink-on-load factor that still leaves at least w x h to scale from.
int jpegShrink(int sourceW, int sourceH, int w, int h)
{
    for (int factor : {8, 4, 2}) {
        if ((sourceW + factor - 1) / factor >= w && (sourceH + factor - 1) / factor >= h)
            return factor;
    }
    return 1;
}

struct OpenedSource {
    VSource source;
    VImage header;
    Loader loader = Loader::Jpeg;
};

// An open regular file: the library's source over it and its first bytes, read before any
// loader sees the file.
struct OpenedFile {
    VSource source;
    QByteArray head;
};

// Running out of memory or of file handles is no fault of the file, and is said as such.
bool isResourceError(int number) { return number == ENOMEM || number == EMFILE || number == ENFILE; }

#if defined(Q_OS_UNIX)
// What a path is when it is not a regular file, for the message; empty for a regular file.
QString specialKind(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe (FIFO)");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

Error notRegular(const QString &path, const QString &kind)
{
    return Error{ErrorCode::Decode, path, QStringLiteral("is %1, not a regular file").arg(kind)};
}

// Checked again on the open file, in case the name was replaced after it was examined.
Result<OpenedFile> sourceFromDescriptor(const QString &path, int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return systemError(ErrorCode::ReadFailed, path, errno);
    if (const QString kind = specialKind(status.st_mode); !kind.isEmpty())
        return notRegular(path, kind);
    // Non-blocking mode was only for the open; reads of a regular file never block anyway.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QByteArray head(kSignatureBytes, Qt::Uninitialized);
    ssize_t got = 0;
    do
        got = ::pread(fd, head.data(), size_t(head.size()), 0);
    while (got < 0 && errno == EINTR);
    if (got < 0)
        return systemError(ErrorCode::ReadFailed, path, errno);
    head.truncate(got);
    try {
        // libvips reads through its own duplicate of the descriptor, and keeps -1 when it
        // could not make one (no file handle left), which would surface as "bad file
        // descriptor" at the first read.
        VSource source = VSource::new_from_descriptor(fd);
        if (VIPS_CONNECTION(source.get_source())->descriptor < 0)
            return systemError(ErrorCode::ReadFailed, path, EMFILE);  // dup() fails only so here
        return OpenedFile{source, head};
    } catch (const VError &error) {
        const int number = errno;
        if (isResourceError(number)) {
            takeVipsText(error);
            return systemError(ErrorCode::ReadFailed, path, number);
        }
        return vipsError(ErrorCode::ReadFailed, path, "open", error);
    }
}

// Opening a FIFO for reading blocks until a writer comes, and opening a device can have side
// effects, so the kind is checked by name before opening (stat follows a symbolic link to
// its target), and the open itself never waits.
Result<OpenedFile> openRegularFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0) {
        const int error = errno;
        if (error == ENOENT)
            return Error{ErrorCode::NotFound, path, QStringLiteral("file not found")};
        return systemError(ErrorCode::ReadFailed, path, error);
    }
    if (const QString kind = specialKind(status.st_mode); !kind.isEmpty())
        return notRegular(path, kind);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemError(ErrorCode::ReadFailed, path, errno);
    Result<OpenedFile> source = sourceFromDescriptor(path, fd);
    ::close(fd);
    return source;
}
#else
Result<OpenedFile> openRegularFile(const QString &path)
{
    if (Status error = checkRegularFile(path))
        return error->code == ErrorCode::NotFound ? *error : Error{ErrorCode::Decode, path, error->detail};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{ErrorCode::ReadFailed, path, file.errorString()};
    const QByteArray head = file.read(kSignatureBytes);
    try {
        return OpenedFile{VSource::new_from_file(QFile::encodeName(path).constData()), head};
    } catch (const VError &error) {
        return vipsError(ErrorCode::ReadFailed, path, "open", error);
    }
}
#endif

Result<OpenedSource> readHeader(const QString &path, const Result<OpenedFile> &opened)
{
    if (!opened)
        return opened.error();
    const std::optional<Loader> loader = loaderFor(opened.value().head);
    if (!loader || !isAvailable(*loader))
        return unsupportedKind(path);
    try {
        const VSource &source = opened.value().source;
        VImage header =
            loadWith(*loader, source, VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL)->set("fail_on", kFailOn));
        const qint64 pixels = qint64(header.width()) * header.height();
        if (pixels > g_pixelLimit.load())
            return Error{ErrorCode::Decode, path,
                         QStringLiteral("image of %1 x %2 pixels exceeds the limit of %3 pixels")
                             .arg(header.width())
                             .arg(header.height())
                             .arg(g_pixelLimit.load())};
        return OpenedSource{source, header, *loader};
    } catch (const VError &error) {
        return vipsError(ErrorCode::Decode, path, "load", error);
    } catch (const std::bad_alloc &) {
        return outOfMemory(ErrorCode::Decode, path, "load");
    }
}

Result<OpenedSource> openSource(const QString &path)
{
    initialise();
    if (!g_started)
        return notStarted(path);
    return readHeader(path, openRegularFile(path));
}

bool swapsSides(const VImage &header) { return vips_image_get_orientation_swap(header.get_image()); }

Result<QSize> sizeOf(const Result<OpenedSource> &opened)
{
    if (!opened)
        return opened.error();
    const VImage &header = opened.value().header;
    return swapsSides(header) ? QSize(header.height(), header.width()) : QSize(header.width(), header.height());
}

}  // namespace

void initialise()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_log_set_handler("VIPS", GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO),
                          routeVipsMessage, nullptr);
        if (VIPS_INIT("lumarc") != 0) {
            vips_error_clear();
            return;
        }
        // Only loaders fuzzed for hostile input; the rest could be reached by a renamed file.
        vips_block_untrusted_set(TRUE);
        // One image per worker of our own pool; parallel operations inside one image only
        // add threads to a serial JPEG decode.
        vips_concurrency_set(1);
        // Every file is opened once; cached operations would only hold on to memory.
        vips_cache_set_max(0);
        g_started = true;
    });
}

void releaseThreadResources()
{
    if (g_started)
        vips_thread_shutdown();
}

void setPixelLimit(qint64 pixels) { g_pixelLimit = pixels > 0 ? pixels : kDefaultPixelLimit; }

qint64 pixelLimit() { return g_pixelLimit.load(); }

std::optional<Loader> loaderFor(QByteArrayView head)
{
    const auto at = [&head](qsizetype offset, QByteArrayView bytes) {
        return head.size() >= offset + bytes.size() && head.sliced(offset, bytes.size()) == bytes;
    };
    if (at(0, "\xFF\xD8\xFF"))
        return Loader::Jpeg;
    if (at(0, "\x89PNG\r\n\x1A\n"))
        return Loader::Png;
    if (at(0, "GIF87a") || at(0, "GIF89a"))
        return Loader::Gif;
    // Classic and big TIFF, either byte order.
    for (const QByteArrayView tiff : {QByteArrayView("II*\0", 4), QByteArrayView("MM\0*", 4),
                                      QByteArrayView("II+\0", 4), QByteArrayView("MM\0+", 4)}) {
        if (at(0, tiff))
            return Loader::Tiff;
    }
    if (at(0, "RIFF") && at(8, "WEBP"))
        return Loader::WebP;
    // An ISO media file whose major brand is a HEIF or AVIF still image or sequence.
    if (at(4, "ftyp")) {
        for (const char *brand :
             {"heic", "heix", "hevc", "hevx", "heim", "heis", "hevm", "hevs", "mif1", "msf1", "avif", "avis"}) {
            if (at(8, brand))
                return Loader::Heif;
        }
    }
    return std::nullopt;
}

QList<ImageFormat> readableFormats()
{
    static const QList<ImageFormat> formats = [] {
        QList<ImageFormat> list;
        initialise();
        for (const LoaderInfo &entry : kLoaders) {
            if (!isAvailable(entry.loader))
                continue;
            ImageFormat format{QString::fromLatin1(entry.description), loaderExtensions(entry.nickname)};
            if (!format.extensions.isEmpty())
                list.append(format);
        }
        return list;
    }();
    return formats;
}

bool isReadableExtension(const QString &extension)
{
    const QString wanted = extension.toLower();
    const QList<ImageFormat> formats = readableFormats();
    return std::any_of(formats.begin(), formats.end(),
                       [&](const ImageFormat &format) { return format.extensions.contains(wanted); });
}

QString buildImageFileFilter()
{
    QString filter = i18n::getString(text::ImageFilesFilter);
    for (const ImageFormat &format : readableFormats()) {
        QStringList patterns;
        for (const QString &extension : format.extensions)
            patterns += QStringLiteral("*.") + extension;
        const QString list = patterns.join(QLatin1Char(';'));
        filter += QLatin1Char('|') + format.description + QStringLiteral(" (") + list + QStringLiteral(")|") + list;
    }
    return filter;
}

Result<QSize> readSize(const QString &path) { return sizeOf(openSource(path)); }

#if defined(Q_OS_UNIX)
Result<QSize> readSize(fileops::ReadFile &file)
{
    initialise();
    if (!g_started)
        return notStarted(file.path());
    if (!file.rewind())
        return systemError(ErrorCode::ReadFailed, file.path(), errno);
    return sizeOf(readHeader(file.path(), sourceFromDescriptor(file.path(), file.descriptor())));
}
#endif

Result<Picture> loadPicture(const QString &path, const SizeRule &rule, const LaterBytes &laterBytes)
{
    // Declared first so that it is given back last, after every libvips object below has
    // freed the decode's memory.
    std::shared_ptr<const DecodeAdmission> admission;
    Result<OpenedSource> opened = openSource(path);
    if (!opened)
        return opened.error();
    const OpenedSource &source = opened.value();
    const bool swap = swapsSides(source.header);
    const int storedW = source.header.width();
    const int storedH = source.header.height();
    const QSize upright = swap ? QSize(storedH, storedW) : QSize(storedW, storedH);

    Result<QSize> wanted = rule(upright);
    if (!wanted)
        return wanted.error();
    if (wanted.value().width() <= 0 || wanted.value().height() <= 0)
        return Error{ErrorCode::Invalid, path, QStringLiteral("target size must be positive")};
    // The size in the file's own orientation: scaling happens before the small result is
    // turned upright, which is cheaper than rotating the full decode.
    const int w = swap ? wanted.value().height() : wanted.value().width();
    const int h = swap ? wanted.value().width() : wanted.value().height();

    const bool jpeg = source.loader == Loader::Jpeg;
    const int shrink = jpeg ? jpegShrink(storedW, storedH, w, h) : 1;
    DecodePlan plan;
    plan.stored = QSize(storedW, storedH);
    plan.bands = source.header.bands();
    plan.sampleBytes = int(vips_format_sizeof(source.header.format()));
    plan.wholeImage = decodesWhole(source.loader, source.header);
    if (jpeg && plan.wholeImage)
        plan.sampleBytes = 2;  // libjpeg's coefficients
    plan.shrink = shrink;
    plan.kept = QSize(w, h);
    plan.turned = vips_image_get_orientation(source.header.get_image()) != 1;
    plan.laterBytes = laterBytes ? std::max<qint64>(laterBytes(wanted.value()), 0) : 0;
    // A decode at most a few times the size it is scaled to (a 12 MP photo shrunk on load to
    // 1000 x 667 for 750 x 500) is held whole and reduced in memory, which is faster than
    // libvips' streaming scaler; a larger one streams through that scaler a band at a time.
    const QSize decoded((storedW + shrink - 1) / shrink, (storedH + shrink - 1) / shrink);
    const qint64 decodedArea = qint64(decoded.width()) * decoded.height();
    const bool reduceHeld = decoded != QSize(w, h) && decodedArea <= kHeldDecodeRatio * qint64(w) * h;
    if (reduceHeld)
        plan.laterBytes += decodedArea * 3;
    Result<DecodeAdmission> admitted = admitDecode(plan);
    if (!admitted)
        return admitted.error().at(path);
    admission = std::make_shared<const DecodeAdmission>(std::move(admitted).value());

    VImage image;
    try {
        image = source.header;
        if (shrink > 1)
            image = loadWith(Loader::Jpeg, source.source,
                             VImage::option()
                                 ->set("access", VIPS_ACCESS_SEQUENTIAL)
                                 ->set("shrink", shrink)
                                 ->set("fail_on", kFailOn));
        image = toDisplayRgb(image);
        if (reduceHeld)
            image = image.copy_memory();
    } catch (const VError &error) {
        return vipsError(ErrorCode::Decode, path, "load", error);
    } catch (const std::bad_alloc &) {
        return outOfMemory(ErrorCode::Decode, path, "load");
    }
    try {
        image = reduceHeld ? scaleInMemory(image, w, h) : scaleExactly(image, w, h);
    } catch (const VError &error) {
        return vipsError(ErrorCode::Encode, path, "resize", error);
    } catch (const std::bad_alloc &) {
        return outOfMemory(ErrorCode::Encode, path, "resize");
    }
    try {
        // Unless held above, decoding happens here, pulled through the scaler a strip at a time.
        image = image.copy_memory();
        if (vips_image_get_orientation(image.get_image()) != 1)
            image = image.autorot().copy_memory();
    } catch (const VError &error) {
        return vipsError(ErrorCode::Decode, path, "load", error);
    } catch (const std::bad_alloc &) {
        return outOfMemory(ErrorCode::Decode, path, "load");
    }
    // A decode that succeeds may still leave the warnings it tolerated in the process-wide
    // error buffer, where they would be read as part of the next failure, of another file.
    if (*vips_error_buffer())
        vips_error_clear();
    return PictureAccess::make(image, admission);
}

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture &) = default;
Picture &Picture::operator=(const Picture &) = default;
Picture::Picture(std::shared_ptr<const Data> data) : d(std::move(data)) {}

bool Picture::isNull() const { return !d; }

int Picture::width() const { return d ? d->image.width() : 0; }

int Picture::height() const { return d ? d->image.height() : 0; }

Result<Picture> Picture::resized(int w, int h) const
{
    if (!d)
        return Error{ErrorCode::Encode, QString(), QStringLiteral("resize: no image")};
    if (w <= 0 || h <= 0)
        return Error{ErrorCode::Encode, QString(), QStringLiteral("resize: invalid size %1 x %2").arg(w).arg(h)};
    try {
        return PictureAccess::make(scaleInMemory(d->image, w, h), d->admission);
    } catch (const VError &error) {
        return vipsError(ErrorCode::Encode, QString(), "resize", error);
    } catch (const std::bad_alloc &) {
        return outOfMemory(ErrorCode::Encode, QString(), "resize");
    }
}

Result<Picture> Picture::sharpened(int amount) const
{
    if (!d)
        return Error{ErrorCode::Encode, QString(), QStringLiteral("sharpen: no image")};
    if (amount == 0)
        return *this;
    // out = p + amount% * (p - mean of its 3 x 3 neighbourhood), as an integer mask:
    // centre 900 + 8a, neighbours -a, scale 900, reduced by their common divisor.
    const int a = std::clamp(amount, -100, 100);
    int centre = 900 + 8 * a;
    int side = -a;
    int scale = 900;
    const int divisor = std::gcd(std::gcd(centre, side), scale);
    centre /= divisor;
    side /= divisor;
    scale /= divisor;
    try {
        return PictureAccess::make(convolve3x3(d->image, centre, side, scale), d->admission);
    } catch (const VError &error) {
        return vipsError(ErrorCode::Encode, QString(), "sharpen", error);
    } catch (const std::bad_alloc &) {
        return outOfMemory(ErrorCode::Encode, QString(), "sharpen");
    }
}

Status Picture::writeJpeg(int quality, const std::function<Status(const QByteArray &)> &write) const
{
    if (!d)
        return Error{ErrorCode::Encode, QString(), QStringLiteral("save: no image")};
    VipsArea *area = nullptr;
    // Huffman tables fitted to the picture take a second pass over it. They pay on small files
    // (a 160 x 107 thumbnail comes out 7% smaller, for next to no time) and hardly on large
    // ones (a 750 x 500 photo: 2%, for two fifths of its encoding time).
    const bool fittedTables = qint64(width()) * height() <= kFittedTablesPixels;
    try {
        // Encoded in memory: libvips never sees a file name.
        VipsBlob *blob = d->image.jpegsave_buffer(VImage::option()
                                                      ->set("Q", std::clamp(quality, 1, 100))
                                                      ->set("strip", true)
                                                      ->set("optimize_coding", fittedTables)
                                                      ->set("interlace", false));
        area = reinterpret_cast<VipsArea *>(blob);
    } catch (const VError &error) {
        return vipsError(ErrorCode::Encode, QString(), "save", error);
    } catch (const std::bad_alloc &) {
        return outOfMemory(ErrorCode::Encode, QString(), "save");
    }
    // Written from libvips' own buffer, without a second copy of the file in memory.
    const std::unique_ptr<VipsArea, void (*)(VipsArea *)> held(area, vips_area_unref);
    return write(QByteArray::fromRawData(static_cast<const char *>(area->data), qsizetype(area->length)));
}

Status Picture::saveJpeg(const QString &path, int quality) const
{
    // replaceFile() only replaces the target once every byte is written.
    Status written = writeJpeg(quality, [&](const QByteArray &bytes) { return replaceFile(path, bytes); });
    if (written) {
        if (written->path.isEmpty())
            written->path = path;
        written->detail.prepend(QStringLiteral("save: "));
    }
    return written;
}

PixelBuffer Picture::toPixelBuffer() const
{
    PixelBuffer buffer;
    if (!d)
        return buffer;
    try {
        size_t size = 0;
        const std::unique_ptr<void, void (*)(gpointer)> pixels(d->image.write_to_memory(&size), g_free);
        buffer.width = d->image.width();
        buffer.height = d->image.height();
        buffer.rgb = QByteArray(static_cast<const char *>(pixels.get()), qsizetype(size));
    } catch (const VError &error) {
        takeVipsText(error);
        return PixelBuffer{};
    } catch (const std::bad_alloc &) {
        return PixelBuffer{};
    }
    return buffer;
}

}  // namespace lumarc::imaging
