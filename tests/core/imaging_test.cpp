#include "imaging/imageengine.h"
#include "imaging/syntheticimage.h"

#include <gtest/gtest.h>

#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>

using namespace lumarc;
using namespace lumarc::test;
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

const unsigned char *pixel(const PixelBuffer &buffer, int x, int y)
{
    return reinterpret_cast<const unsigned char *>(buffer.rgb.constData()) + (y * buffer.width + x) * 3;
}

// The frame's precision and band count (SOF0-2) and whether an Exif APP1 is there, walking the
// segments before the first scan (SOS): FF xx, then a big-endian length that counts itself.
struct JpegLayout {
    int precision = 0, components = 0;
    bool exif = false;
};

JpegLayout readJpegLayout(const QByteArray &bytes)
{
    JpegLayout layout;
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype pos = 2; pos + 10 <= bytes.size() && b[pos] == 0xFF && b[pos + 1] != 0xDA;
         pos += 2 + ((b[pos + 2] << 8) | b[pos + 3])) {
        if (b[pos + 1] >= 0xC0 && b[pos + 1] <= 0xC2)
            layout = {b[pos + 4], b[pos + 9], layout.exif};
        layout.exif = layout.exif || (b[pos + 1] == 0xE1 && bytes.mid(pos + 4, 6) == QByteArray("Exif\0\0", 6));
    }
    return layout;
}

} // namespace

TEST(Imaging, ReadableFormatsExtensionsAndFileFilter)
{
    QStringList all;
    for (const ImageFormat &format : readableFormats())
        all += format.extensions;
    for (const char *expected : {"jpg", "jpeg", "png", "tif", "webp"})
        EXPECT_TRUE(all.contains(QLatin1String(expected))) << expected;

    for (const char *extension : {"jpg", "JPG", "Jpeg", "pNg", "TIF"})
        EXPECT_TRUE(isReadableExtension(QLatin1String(extension))) << extension;
    for (const char *extension : {"txt", "", "svg", "pdf"})
        EXPECT_FALSE(isReadableExtension(QLatin1String(extension))) << extension;

    const QString filter = buildImageFileFilter();
    EXPECT_TRUE(filter.startsWith(QStringLiteral("Image files (*.*)|*.*|")));
    EXPECT_TRUE(filter.contains(QStringLiteral("|JPEG (*.jpg;")));
}

TEST(Imaging, EveryKindOfSourceBecomesUprightEightBitRgbFlattenedOnWhite)
{
    QTemporaryDir dir;
    // Each comes out 20 x 40 with a red left half, sampled near the top left corner.
    const struct {
        const char *name;
        SyntheticImage spec;
        int r, g, b;  // r < 0: any grey
        int tolerance;
    } cases[] = {
        // Stored landscape, red on the left: turned upright, red is on top.
        {"turned.jpg", {.width = 40, .height = 20, .orientation = 6}, 255, 0, 0, 40},
        {"grey.png", {.width = 20, .height = 40, .colour = SyntheticColour::Grey}, -1, 0, 0, 0},
        {"deep.png", {.width = 20, .height = 40, .sixteenBit = true}, 255, 0, 0, 1},
        {"alpha.png", {.width = 20, .height = 40, .alpha = true}, 255, 127, 127, 2},
        {"cmyk.jpg", {.width = 20, .height = 40, .colour = SyntheticColour::Cmyk, .quality = 100}, 230, 30, 30, 45},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(dir, QString::fromLatin1(c.name), c.spec);
        EXPECT_EQ(readSize(path).value(), QSize(20, 40));
        const Result<Picture> picture = loadAsIs(path);
        ASSERT_TRUE(picture.ok()) << picture.error().message().toStdString();
        const PixelBuffer pixels = picture.value().toPixelBuffer();
        ASSERT_EQ(QSize(pixels.width, pixels.height), QSize(20, 40));
        ASSERT_EQ(pixels.rgb.size(), 20 * 40 * 3);
        const unsigned char *corner = pixel(pixels, 4, 4);
        if (c.r < 0) {
            EXPECT_EQ(corner[0], corner[1]);
            EXPECT_EQ(corner[1], corner[2]);
        } else {
            EXPECT_NEAR(corner[0], c.r, c.tolerance);
            EXPECT_NEAR(corner[1], c.g, c.tolerance);
            EXPECT_NEAR(corner[2], c.b, c.tolerance);
        }
    }
}

TEST(Imaging, RefusesMissingCorruptForeignAndOverLimitFiles)
{
    QTemporaryDir dir;
    const QString small = write(dir, QStringLiteral("small.png"), {.width = 100, .height = 80});
    const QByteArray cut = readAll(write(dir, QStringLiteral("good.jpg"), {})).left(40);
    const struct {
        QString path;
        ErrorCode code;
        qint64 limit;
    } cases[] = {
        {dir.filePath(QStringLiteral("absent.jpg")), ErrorCode::NotFound, kDefaultPixelLimit},
        {writeBytes(dir, QStringLiteral("text.jpg"), "just some words\r\n"), ErrorCode::Decode, kDefaultPixelLimit},
        {writeBytes(dir, QStringLiteral("cut.jpg"), cut), ErrorCode::Decode, kDefaultPixelLimit},
        {small, ErrorCode::Decode, 100 * 80 - 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        setPixelLimit(c.limit);
        const Result<Picture> picture = loadAsIs(c.path);
        setPixelLimit(kDefaultPixelLimit);
        ASSERT_FALSE(picture.ok());
        EXPECT_EQ(picture.error().code, c.code);
        EXPECT_EQ(picture.error().path, c.path);
    }
    setPixelLimit(100 * 80);
    EXPECT_TRUE(loadAsIs(small).ok());
    setPixelLimit(kDefaultPixelLimit);
}

TEST(Imaging, SavedJpegIsEightBitRgbAtTheExactSizeWithoutMetadata)
{
    QTemporaryDir dir;
    const QString source = write(dir, QStringLiteral("tagged.jpg"), {.width = 64, .height = 48, .orientation = 3});
    ASSERT_TRUE(readJpegLayout(readAll(source)).exif);
    const Result<Picture> picture = loadPicture(source, [](QSize) -> Result<QSize> { return QSize(37, 21); });
    ASSERT_TRUE(picture.ok());
    // Read as save options, "[Q=1]" would make libvips write out.jpg instead.
    const QString target = dir.filePath(QStringLiteral("out.jpg[Q=1]"));
    ASSERT_FALSE(picture.value().saveJpeg(target, 90));

    const JpegLayout layout = readJpegLayout(readAll(target));
    EXPECT_EQ(layout.precision, 8);
    EXPECT_EQ(layout.components, 3);
    EXPECT_FALSE(layout.exif);
    const Result<Picture> decoded = loadAsIs(target);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.value().size(), QSize(37, 21));
}
