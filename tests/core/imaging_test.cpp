#include "imaging/imageengine.h"
#include "imaging/syntheticimage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

using namespace lumarc;
using namespace lumarc::imaging;

namespace {

QString write(const QTemporaryDir &dir, const QString &name, const SyntheticImage &spec)
{
    const QString path = dir.filePath(name);
    const Status status = writeSyntheticImage(path, spec);
    EXPECT_FALSE(status) << status->message().toStdString();
    return path;
}

QString writeBytes(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

Result<Picture> loadAsIs(const QString &path)
{
    return loadPicture(path, [](QSize upright) -> Result<QSize> { return upright; });
}

struct Rgb {
    int r, g, b;
};

Rgb pixel(const PixelBuffer &buffer, int x, int y)
{
    const auto *p = reinterpret_cast<const unsigned char *>(buffer.rgb.constData()) + (y * buffer.width + x) * 3;
    return {p[0], p[1], p[2]};
}

// The markers of a JPEG up to its first scan, read from the documented segment layout:
// FF D8, then FF xx segments with a 16-bit big-endian length that includes itself.
struct JpegLayout {
    bool valid = false;
    bool baseline = false;  // SOF0
    int precision = 0;
    int components = 0;
    bool exif = false;
    bool icc = false;
};

JpegLayout readJpegLayout(const QByteArray &bytes)
{
    JpegLayout layout;
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return layout;
    qsizetype pos = 2;
    while (pos + 4 <= n && b[pos] == 0xFF) {
        const int marker = b[pos + 1];
        const int length = (b[pos + 2] << 8) | b[pos + 3];
        const unsigned char *body = b + pos + 4;
        if (marker == 0xDA) {
            layout.valid = true;
            break;
        }
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            layout.baseline = marker == 0xC0;
            layout.precision = body[0];
            layout.components = body[5];
        }
        if (marker == 0xE1 && length >= 8 && QByteArray(reinterpret_cast<const char *>(body), 6) == QByteArray("Exif\0\0", 6))
            layout.exif = true;
        if (marker == 0xE2 && length >= 14 && QByteArray(reinterpret_cast<const char *>(body), 11) == "ICC_PROFILE")
            layout.icc = true;
        pos += 2 + length;
    }
    return layout;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Imaging, ReadableFormatsListLowerCaseExtensionsWithoutDotsOrRepeats)
{
    const QList<ImageFormat> formats = readableFormats();
    ASSERT_FALSE(formats.isEmpty());
    QStringList all;
    for (const ImageFormat &format : formats) {
        EXPECT_FALSE(format.description.isEmpty());
        for (const QString &extension : format.extensions) {
            EXPECT_EQ(extension, extension.toLower());
            EXPECT_FALSE(extension.contains(QLatin1Char('.'))) << extension.toStdString();
            EXPECT_FALSE(all.contains(extension)) << extension.toStdString();
            all += extension;
        }
    }
    for (const char *expected : {"jpg", "jpeg", "png", "tif", "tiff", "webp", "gif"})
        EXPECT_TRUE(all.contains(QLatin1String(expected))) << expected;
}

TEST(Imaging, ReadableExtensionIgnoresCaseAndRefusesUntrustedOrNonImageLoaders)
{
    const struct {
        const char *extension;
        bool readable;
    } cases[] = {
        {"jpg", true}, {"JPG", true}, {"Jpeg", true}, {"png", true}, {"TIFF", true},
        {"txt", false}, {"", false}, {"svg", false}, {"pdf", false}, {"mat", false}, {"csv", false},
        {"v", false}, {"dir\\file", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isReadableExtension(QString::fromLatin1(c.extension)), c.readable) << c.extension;
}

TEST(Imaging, FileFilterStartsWithAllFilesAndPairsEachDescriptionWithItsPatterns)
{
    const QString filter = buildImageFileFilter();
    ASSERT_TRUE(filter.startsWith(QStringLiteral("Image files (*.*)|*.*|")));
    EXPECT_TRUE(filter.contains(QStringLiteral("|JPEG (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe")));
    EXPECT_TRUE(filter.contains(QStringLiteral("|PNG (*.png)|*.png")));

    const QStringList parts = filter.split(QLatin1Char('|'));
    ASSERT_EQ(parts.size() % 2, 0);
    ASSERT_EQ(parts.size() / 2, readableFormats().size() + 1);
    for (int i = 2; i < parts.size(); i += 2) {
        const QString &label = parts.at(i);
        const QString &patterns = parts.at(i + 1);
        EXPECT_TRUE(label.endsWith(QStringLiteral(" (") + patterns + QLatin1Char(')'))) << label.toStdString();
    }
}

TEST(Imaging, ConvertsEveryKindOfSourceToEightBitRgbFlattenedOnWhite)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        SyntheticImage spec;
        Rgb left;  // expected colour of the left half, within the tolerance
        int tolerance;
    } cases[] = {
        {"rgb.png", {.width = 40, .height = 20}, {255, 0, 0}, 0},
        {"grey.png", {.width = 40, .height = 20, .colour = SyntheticColour::Grey}, {-1, -1, -1}, 0},
        {"deep.png", {.width = 40, .height = 20, .sixteenBit = true}, {255, 0, 0}, 1},
        {"deepgrey.tif", {.width = 40, .height = 20, .colour = SyntheticColour::Grey, .sixteenBit = true},
         {-1, -1, -1}, 0},
        {"alpha.png", {.width = 40, .height = 20, .alpha = true}, {255, 127, 127}, 2},
        {"cmyk.jpg", {.width = 40, .height = 20, .colour = SyntheticColour::Cmyk, .quality = 100},
         {230, 30, 30}, 45},
        {"rgb.tif", {.width = 40, .height = 20}, {255, 0, 0}, 0},
        {"rgb.webp", {.width = 40, .height = 20, .quality = 100}, {255, 0, 0}, 12},
        {"rgb.gif", {.width = 40, .height = 20}, {255, 0, 0}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Result<Picture> picture = loadAsIs(write(dir, QString::fromLatin1(c.name), c.spec));
        ASSERT_TRUE(picture.ok()) << picture.error().message().toStdString();
        const PixelBuffer pixels = picture.value().toPixelBuffer();
        ASSERT_EQ(pixels.width, 40);
        ASSERT_EQ(pixels.height, 20);
        ASSERT_EQ(pixels.rgb.size(), 40 * 20 * 3);
        const Rgb left = pixel(pixels, 5, 10);
        if (c.left.r < 0) {
            EXPECT_EQ(left.r, left.g);  // grey stays grey, spread over three bands
            EXPECT_EQ(left.g, left.b);
            EXPECT_GT(left.r, 20);
            EXPECT_LT(left.r, 160);
        } else {
            EXPECT_NEAR(left.r, c.left.r, c.tolerance);
            EXPECT_NEAR(left.g, c.left.g, c.tolerance);
            EXPECT_NEAR(left.b, c.left.b, c.tolerance);
        }
    }
}

TEST(Imaging, AppliesExifOrientationSoThePictureIsUpright)
{
    QTemporaryDir dir;
    // Stored landscape, left half red; orientation 6 shows the stored left column at the top.
    const QString path = write(dir, QStringLiteral("turned.jpg"), {.width = 60, .height = 40, .orientation = 6});
    const Result<QSize> size = readSize(path);
    ASSERT_TRUE(size.ok());
    EXPECT_EQ(size.value(), QSize(40, 60));

    const Result<Picture> picture = loadAsIs(path);
    ASSERT_TRUE(picture.ok()) << picture.error().message().toStdString();
    const PixelBuffer pixels = picture.value().toPixelBuffer();
    ASSERT_EQ(QSize(pixels.width, pixels.height), QSize(40, 60));
    EXPECT_GT(pixel(pixels, 20, 5).r, 200);
    EXPECT_LT(pixel(pixels, 20, 5).b, 60);
    EXPECT_GT(pixel(pixels, 20, 55).b, 200);
    EXPECT_LT(pixel(pixels, 20, 55).r, 60);
}

TEST(Imaging, DecodesToExactlyTheSizeTheRuleAsksFor)
{
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("big.jpg"), {.width = 3000, .height = 2000});
    for (const QSize wanted : {QSize(750, 500), QSize(667, 500), QSize(375, 250), QSize(160, 53), QSize(3000, 2000),
                               QSize(1, 1), QSize(3001, 1999)}) {
        QSize seen;
        const Result<Picture> picture = loadPicture(path, [&](QSize upright) -> Result<QSize> {
            seen = upright;
            return wanted;
        });
        ASSERT_TRUE(picture.ok()) << picture.error().message().toStdString();
        EXPECT_EQ(seen, QSize(3000, 2000));
        EXPECT_EQ(picture.value().size(), wanted);
    }
}

TEST(Imaging, RefusesMissingCorruptAndForeignFilesWithTheirCodes)
{
    QTemporaryDir dir;
    const QString good = write(dir, QStringLiteral("good.jpg"), {.width = 64, .height = 48});
    QByteArray truncated = readAll(good);
    truncated.truncate(40);  // inside the header segments

    const struct {
        const char *name;
        QString path;
        ErrorCode code;
    } cases[] = {
        {"missing", dir.filePath(QStringLiteral("absent.jpg")), ErrorCode::NotFound},
        {"text named .jpg", writeBytes(dir, QStringLiteral("text.jpg"), "just some words\r\n"), ErrorCode::Decode},
        {"empty", writeBytes(dir, QStringLiteral("empty.png"), QByteArray()), ErrorCode::Decode},
        {"truncated header", writeBytes(dir, QStringLiteral("cut.jpg"), truncated), ErrorCode::Decode},
        {"random bytes", writeBytes(dir, QStringLiteral("noise.png"), QByteArray("\x89PNG\r\n\x1a\n\x01\x02", 10)),
         ErrorCode::Decode},
        {"folder", dir.path(), ErrorCode::Decode},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Result<Picture> picture = loadAsIs(c.path);
        ASSERT_FALSE(picture.ok());
        EXPECT_EQ(picture.error().code, c.code);
        EXPECT_EQ(picture.error().path, c.path);
        EXPECT_FALSE(picture.error().detail.isEmpty());
    }
}

TEST(Imaging, RefusesImagesOverThePixelLimitBeforeDecoding)
{
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("limit.png"), {.width = 100, .height = 80});
    setPixelLimit(100 * 80 - 1);
    bool asked = false;
    const Result<Picture> refused = loadPicture(path, [&](QSize upright) -> Result<QSize> {
        asked = true;
        return upright;
    });
    const Result<QSize> header = readSize(path);
    setPixelLimit(100 * 80);
    const Result<Picture> accepted = loadAsIs(path);
    setPixelLimit(kDefaultPixelLimit);

    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().code, ErrorCode::Decode);
    EXPECT_FALSE(asked);
    EXPECT_FALSE(header.ok());
    EXPECT_TRUE(accepted.ok());
    EXPECT_EQ(pixelLimit(), kDefaultPixelLimit);
}

TEST(Imaging, FileNamesThatLookLikeLoadOrSaveOptionsAreTakenLiterally)
{
    QTemporaryDir dir;
    // Passed to libvips as a plain name, "[shrink=8]" would load at an eighth of the size.
    const QString path = write(dir, QStringLiteral("a.jpg"), {.width = 64, .height = 48});
    const QString odd = dir.filePath(QStringLiteral("odd.jpg[shrink=8]"));
    ASSERT_TRUE(QFile::rename(path, odd));
    const Result<Picture> picture = loadAsIs(odd);
    ASSERT_TRUE(picture.ok()) << picture.error().message().toStdString();
    EXPECT_EQ(picture.value().size(), QSize(64, 48));

    const QString target = dir.filePath(QStringLiteral("out.jpg[Q=1]"));
    ASSERT_FALSE(picture.value().saveJpeg(target, 90));
    EXPECT_TRUE(QFile::exists(target));
}

TEST(Imaging, SavesBaselineEightBitRgbJpegWithoutMetadata)
{
    QTemporaryDir dir;
    const QString source = write(dir, QStringLiteral("tagged.jpg"), {.width = 64, .height = 48, .orientation = 3});
    ASSERT_TRUE(readJpegLayout(readAll(source)).exif);  // the fixture does carry EXIF

    const Result<Picture> picture = loadAsIs(source);
    ASSERT_TRUE(picture.ok());
    const QString target = dir.filePath(QStringLiteral("out.jpg"));
    ASSERT_FALSE(picture.value().saveJpeg(target, 90));
    const JpegLayout layout = readJpegLayout(readAll(target));
    EXPECT_TRUE(layout.valid);
    EXPECT_TRUE(layout.baseline);
    EXPECT_EQ(layout.precision, 8);
    EXPECT_EQ(layout.components, 3);
    EXPECT_FALSE(layout.exif);
    EXPECT_FALSE(layout.icc);
}

TEST(Imaging, QualityChangesTheEncodedSize)
{
    QTemporaryDir dir;
    const Result<Picture> picture =
        loadAsIs(write(dir, QStringLiteral("noisy.png"), {.width = 200, .height = 100, .noise = 20}));
    ASSERT_TRUE(picture.ok());
    const QString low = dir.filePath(QStringLiteral("low.jpg"));
    const QString high = dir.filePath(QStringLiteral("high.jpg"));
    ASSERT_FALSE(picture.value().saveJpeg(low, 30));
    ASSERT_FALSE(picture.value().saveJpeg(high, 95));
    EXPECT_LT(QFileInfo(low).size() * 2, QFileInfo(high).size());
}

TEST(Imaging, SaveIntoAMissingFolderFailsWithoutLeavingAFile)
{
    QTemporaryDir dir;
    const Result<Picture> picture = loadAsIs(write(dir, QStringLiteral("a.png"), {}));
    ASSERT_TRUE(picture.ok());
    const QString target = dir.filePath(QStringLiteral("nowhere/out.jpg"));
    const Status status = picture.value().saveJpeg(target, 80);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, ErrorCode::WriteFailed);
    EXPECT_EQ(status->path, target);
    EXPECT_FALSE(QFile::exists(target));
}

TEST(Imaging, SharpeningKeepsSizeAndRaisesContrastAtAnEdgeOnly)
{
    QTemporaryDir dir;
    // Grey levels, so that the overshoot is not clipped away at 0 or 255.
    const Result<Picture> picture = loadAsIs(
        write(dir, QStringLiteral("edge.png"), {.width = 40, .height = 10, .colour = SyntheticColour::Grey}));
    ASSERT_TRUE(picture.ok());
    const Result<Picture> sharp = picture.value().sharpened(25);
    ASSERT_TRUE(sharp.ok());
    const PixelBuffer before = picture.value().toPixelBuffer();
    const PixelBuffer after = sharp.value().toPixelBuffer();
    ASSERT_EQ(QSize(after.width, after.height), QSize(40, 10));
    EXPECT_EQ(pixel(after, 5, 5).r, pixel(before, 5, 5).r);
    EXPECT_EQ(pixel(after, 35, 5).r, pixel(before, 35, 5).r);
    ASSERT_GT(pixel(before, 19, 5).r, pixel(before, 20, 5).r + 20);
    EXPECT_GT(pixel(after, 19, 5).r, pixel(before, 19, 5).r);  // the lighter side gets lighter
    EXPECT_LT(pixel(after, 20, 5).r, pixel(before, 20, 5).r);  // the darker side darker
    EXPECT_LT(pixel(after, 19, 5).r, pixel(before, 19, 5).r + 10);  // mildly
    EXPECT_EQ(sharp.value().sharpened(0).value().toPixelBuffer(), after);
}

TEST(Imaging, ResizeRefusesAnEmptySize)
{
    QTemporaryDir dir;
    const Result<Picture> picture = loadAsIs(write(dir, QStringLiteral("a.png"), {}));
    ASSERT_TRUE(picture.ok());
    const Result<Picture> scaled = picture.value().resized(0, 10);
    ASSERT_FALSE(scaled.ok());
    EXPECT_EQ(scaled.error().code, ErrorCode::Encode);
    EXPECT_FALSE(Picture().resized(10, 10).ok());
    EXPECT_EQ(picture.value().resized(7, 300).value().size(), QSize(7, 300));
}
