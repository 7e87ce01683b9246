#include "imaging/decodebudget.h"
#include "imaging/imageengine.h"
#include "imaging/syntheticimage.h"

#include <gtest/gtest.h>

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <optional>
#include <thread>

#include <sys/stat.h>

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
    EXPECT_TRUE(writeAll(dir.filePath(name), bytes));
    return dir.filePath(name);
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

// Extensions in any case are checked through the kinds of files opened (openfile_test).
TEST(Imaging, ReadableFormatsAndFileFilter)
{
    for (const char *extension : {"jpeg", "tif", "webp"})
        EXPECT_TRUE(isReadableExtension(QLatin1String(extension))) << extension;
    for (const char *extension : {"", "svg", "pdf"})
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

TEST(Imaging, RefusesMissingForeignAndOverLimitFiles)
{
    QTemporaryDir dir;
    const QString small = write(dir, QStringLiteral("small.png"), {.width = 100, .height = 80});
    const struct {
        QString path;
        ErrorCode code;
        qint64 limit;
    } cases[] = {
        {dir.filePath(QStringLiteral("absent.jpg")), ErrorCode::NotFound, kDefaultPixelLimit},
        {writeBytes(dir, QStringLiteral("text.jpg"), "just some words\r\n"), ErrorCode::Decode, kDefaultPixelLimit},
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

TEST(Imaging, RefusesTruncatedPicturesButNotBenignExtraBytes)
{
    QTemporaryDir dir;
    // Noise spreads the compressed data over the whole file, so a cut ends inside the scan.
    const SyntheticImage noisy{.width = 600, .height = 400, .noise = 30.0};
    const QByteArray jpeg = readAll(write(dir, QStringLiteral("whole.jpg"), noisy));
    const QByteArray png = readAll(write(dir, QStringLiteral("whole.png"), noisy));
    ASSERT_TRUE(jpeg.endsWith("\xFF\xD9"));
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    ASSERT_GT(scan, 0);
    const struct {
        const char *name;
        QByteArray bytes;
        bool loads;
    } cases[] = {
        {"whole.jpg", jpeg, true},
        // Never read: the decoder stops at the end marker. Some programs append data there.
        {"trailing.jpg", jpeg + QByteArray(4096, 'x'), true},
        // Only a libjpeg warning; the picture itself is complete.
        {"stray.jpg", jpeg.left(scan) + QByteArray("\x00\x11\x22", 3) + jpeg.mid(scan), true},
        {"half.jpg", jpeg.left(jpeg.size() / 2), false},
        {"tail-cut.jpg", jpeg.chopped(256), false},
        {"half.png", png.left(png.size() / 2), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writeBytes(dir, QString::fromLatin1(c.name), c.bytes);
        const Result<Picture> picture = loadAsIs(path);
        if (c.loads) {
            EXPECT_TRUE(picture.ok()) << picture.error().message().toStdString();
            if (picture.ok()) {
                EXPECT_EQ(picture.value().size(), QSize(600, 400));
            }
            continue;
        }
        EXPECT_FALSE(picture.ok());
        if (picture.ok())
            continue;
        EXPECT_EQ(picture.error().code, ErrorCode::Decode);
        EXPECT_EQ(picture.error().path, path);
        // The warning that stray.jpg left behind is not reported as part of this failure.
        const QString detail = picture.error().detail;
        EXPECT_FALSE(detail.contains(QStringLiteral("extraneous"))) << detail.toStdString();
    }
}

TEST(Imaging, OpensOnlyRegularFilesAndLinksToThem)
{
    QTemporaryDir dir;
    const QString photo = write(dir, QStringLiteral("photo.jpg"), {});
    const QString fifo = dir.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(photo, dir.filePath(QStringLiteral("photo-link.jpg"))));
    ASSERT_TRUE(QFile::link(fifo, dir.filePath(QStringLiteral("pipe-link.jpg"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.jpg")));
    // Opening the pipe for reading would wait for a writer that never comes.
    const struct {
        QString path;
        const char *kind;  // nullptr: loads
    } cases[] = {
        {photo, nullptr},
        {dir.filePath(QStringLiteral("photo-link.jpg")), nullptr},
        {fifo, "a named pipe"},
        {dir.filePath(QStringLiteral("pipe-link.jpg")), "a named pipe"},
        {dir.filePath(QStringLiteral("folder.jpg")), "a folder"},
        {QStringLiteral("/dev/null"), "a character device"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const Result<Picture> picture = loadAsIs(c.path);
        const Result<QSize> size = readSize(c.path);
        if (!c.kind) {
            EXPECT_TRUE(picture.ok());
            EXPECT_TRUE(size.ok());
            continue;
        }
        EXPECT_FALSE(picture.ok());
        EXPECT_FALSE(size.ok());
        if (picture.ok() || size.ok())
            continue;
        EXPECT_EQ(picture.error().code, ErrorCode::Decode);
        EXPECT_EQ(picture.error().path, c.path);
        EXPECT_TRUE(picture.error().detail.contains(QLatin1String(c.kind))) << picture.error().detail.toStdString();
        EXPECT_TRUE(picture.error().detail.contains(QStringLiteral("not a regular file")));
        EXPECT_EQ(size.error().detail, picture.error().detail);
    }
}

TEST(DecodeBudget, EstimateCountsWholeLoadersInFullAndStreamedOnesAtTheShrunkSize)
{
    const qint64 bomb = qint64(17000) * 17000 * 3;
    const qint64 photo = 1000 * 750 * 3;
    const struct {
        const char *name;
        DecodePlan plan;
        qint64 atLeast, below;
    } cases[] = {
        // Read whole before its first row is final, whatever size is wanted.
        {"interlaced png", {.stored = {17000, 17000}, .wholeImage = true, .kept = {800, 800}}, bomb, bomb + 4'000'000},
        // The same picture streamed: a band of rows, not the whole.
        {"streamed png", {.stored = {17000, 17000}, .kept = {800, 800}}, 800 * 800 * 3, bomb / 8},
        // Shrink-on-load by 8: the shrunk picture, not the stored one.
        {"shrunk jpeg", {.stored = {8000, 6000}, .shrink = 8, .kept = {1000, 750}}, photo, 3 * photo},
        // libjpeg keeps the whole picture's coefficients for a progressive file, shrink or not.
        {"progressive jpeg",
         {.stored = {8000, 6000}, .sampleBytes = 2, .wholeImage = true, .shrink = 8, .kept = {1000, 750}},
         qint64(8000) * 6000 * 3 * 2,
         qint64(8000) * 6000 * 3 * 2 + 3 * photo},
        // The picture asked for is kept, however small the source.
        {"enlarged", {.stored = {100, 100}, .kept = {2000, 2000}}, 2000 * 2000 * 3, 2000 * 2000 * 3 + 100'000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const qint64 bytes = estimateDecodeBytes(c.plan);
        EXPECT_GE(bytes, c.atLeast);
        EXPECT_LT(bytes, c.below);
    }
    // Turning upright copies the kept picture once more.
    DecodePlan turned = cases[2].plan;
    turned.turned = true;
    EXPECT_EQ(estimateDecodeBytes(turned) - estimateDecodeBytes(cases[2].plan), photo);
}

TEST(DecodeBudget, RefusesAtOnceWhatCanNeverFitAndGivesEveryAdmissionBack)
{
    QTemporaryDir dir;
    const SyntheticImage big{.width = 2000, .height = 1500};
    const SyntheticImage bigInterlaced{.width = 2000, .height = 1500, .interlaced = true};
    const QString baseline = write(dir, QStringLiteral("baseline.jpg"), big);
    const QString progressive = write(dir, QStringLiteral("progressive.jpg"), bigInterlaced);
    const QString interlaced = write(dir, QStringLiteral("adam7.png"), bigInterlaced);
    const auto thumbnail = [](QSize) -> Result<QSize> { return QSize(100, 75); };
    const auto asIs = [](QSize upright) -> Result<QSize> { return upright; };
    // 1 MB: a baseline JPEG shrunk on load by 8 needs about 0.2 MB; every other case needs
    // the whole 2000 x 1500 picture (9 MB, 18 MB of progressive coefficients).
    const struct {
        QString path;
        SizeRule rule;
        bool loads;
    } cases[] = {
        {baseline, thumbnail, true},
        {baseline, asIs, false},
        {progressive, thumbnail, false},
        {interlaced, thumbnail, false},
    };
    setDecodeBudget(1'000'000);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const Result<Picture> picture = loadPicture(c.path, c.rule);
        EXPECT_EQ(admittedDecodeBytes(), 0);
        if (c.loads) {
            EXPECT_TRUE(picture.ok()) << picture.error().message().toStdString();
            continue;
        }
        EXPECT_FALSE(picture.ok());
        if (picture.ok())
            continue;
        EXPECT_EQ(picture.error().code, ErrorCode::Decode);
        EXPECT_EQ(picture.error().path, c.path);
        const QString detail = picture.error().detail;
        EXPECT_TRUE(detail.contains(QStringLiteral("2000 x 1500"))) << detail.toStdString();
        EXPECT_TRUE(detail.contains(QStringLiteral("budget of 1.0 MB"))) << detail.toStdString();
    }
    setDecodeBudget(0);
    EXPECT_EQ(decodeBudget(), defaultDecodeBudget());
    EXPECT_TRUE(loadPicture(interlaced, thumbnail).ok());
    EXPECT_EQ(admittedDecodeBytes(), 0);
}

TEST(DecodeBudget, ADecodeWaitsUntilItsEstimateFits)
{
    const DecodePlan plan{.stored = {1000, 1000}, .wholeImage = true, .kept = {100, 100}};
    const qint64 bytes = estimateDecodeBytes(plan);
    setDecodeBudget(bytes);
    Result<DecodeAdmission> first = admitDecode(plan);
    ASSERT_TRUE(first.ok());
    std::optional<DecodeAdmission> held(std::move(first).value());
    EXPECT_EQ(admittedDecodeBytes(), bytes);

    std::atomic_bool done = false;
    bool secondAdmitted = false;
    qint64 heldWithSecond = 0;
    std::thread second([&] {
        const Result<DecodeAdmission> admission = admitDecode(plan);
        secondAdmitted = admission.ok();
        heldWithSecond = admittedDecodeBytes();
        done = true;
    });
    // Until the second decode waits for room (or, wrongly, has gone ahead).
    while (waitingDecodes() == 0 && !done)
        std::this_thread::yield();
    held.reset();
    second.join();
    // Admitted only once the first had given its bytes back, never both at once.
    EXPECT_TRUE(secondAdmitted);
    EXPECT_EQ(heldWithSecond, bytes);
    EXPECT_EQ(admittedDecodeBytes(), 0);
    setDecodeBudget(0);
}
