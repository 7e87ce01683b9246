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

Result<Picture> loadAsIs(const QString &path)
{
    return loadPicture(path, [](QSize upright) -> Result<QSize> { return upright; });
}

// A Decode failure naming path, its detail holding each text and no warning left over from an
// earlier decode (stray.jpg's "extraneous bytes").
void expectDecodeFailure(const Result<Picture> &picture, const QString &path, std::initializer_list<QString> texts)
{
    ASSERT_FALSE(picture.ok());
    EXPECT_EQ(picture.error().code, ErrorCode::Decode);
    EXPECT_EQ(picture.error().path, path);
    const QString detail = picture.error().detail;
    for (const QString &text : texts)
        EXPECT_TRUE(detail.contains(text)) << detail.toStdString();
    EXPECT_FALSE(detail.contains(QStringLiteral("extraneous"))) << detail.toStdString();
}

// Frame precision, band count (SOF0-2) and whether an Exif APP1 comes before the first scan.
QList<int> jpegLayout(const QByteArray &bytes)
{
    QList<int> layout{0, 0, 0};
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype pos = 2; pos + 10 <= bytes.size() && b[pos] == 0xFF && b[pos + 1] != 0xDA;
         pos += 2 + ((b[pos + 2] << 8) | b[pos + 3])) {
        if (b[pos + 1] >= 0xC0 && b[pos + 1] <= 0xC2)
            layout = {b[pos + 4], b[pos + 9], layout[2]};
        layout[2] |= b[pos + 1] == 0xE1 && bytes.mid(pos + 4, 6) == QByteArray("Exif\0\0", 6);
    }
    return layout;
}

} // namespace

TEST(Imaging, EveryKindOfSourceBecomesUprightEightBitRgbFlattenedOnWhite)
{
    QTemporaryDir dir;
    // Each comes out 20 x 40 with a red left half, sampled near the top left corner.
    const struct { const char *name; SyntheticImage spec; int r, g, b /* r < 0: any grey */, tolerance; } cases[] = {
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
        ASSERT_EQ(QList<qsizetype>({pixels.width, pixels.height, pixels.rgb.size()}), QList<qsizetype>({20, 40, 2400}));
        const auto *corner = reinterpret_cast<const unsigned char *>(pixels.rgb.constData()) + (4 * 20 + 4) * 3;
        const int expected[3] = {c.r < 0 ? corner[1] : c.r, c.r < 0 ? corner[2] : c.g, c.r < 0 ? corner[0] : c.b};
        for (int band = 0; band < 3; ++band)
            EXPECT_NEAR(corner[band], expected[band], c.tolerance) << "band " << band;
    }
}

TEST(Imaging, RefusesMissingFilesAndPicturesOverThePixelLimit)
{
    QTemporaryDir dir;
    const QString absent = dir.filePath(QStringLiteral("absent.jpg"));
    const Result<Picture> missing = loadAsIs(absent);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().code, ErrorCode::NotFound);
    EXPECT_EQ(missing.error().path, absent);
    const QString small = write(dir, QStringLiteral("small.png"), {.width = 100, .height = 80});
    setPixelLimit(100 * 80 - 1);
    expectDecodeFailure(loadAsIs(small), small, {});
    setPixelLimit(100 * 80);
    EXPECT_TRUE(loadAsIs(small).ok());
    setPixelLimit(kDefaultPixelLimit);
}

TEST(Imaging, SavedJpegIsEightBitRgbAtTheExactSizeWithoutMetadata)
{
    QTemporaryDir dir;
    const QString source = write(dir, QStringLiteral("tagged.jpg"), {.width = 64, .height = 48, .orientation = 3});
    ASSERT_TRUE(jpegLayout(readAll(source))[2]);
    // Read as save options, "[Q=1]" would make the library write out.jpg instead.
    const QString target = dir.filePath(QStringLiteral("out.jpg[Q=1]"));
    ASSERT_FALSE(loadPicture(source, [](QSize) -> Result<QSize> { return QSize(37, 21); }).value().saveJpeg(target, 90));
    EXPECT_EQ(jpegLayout(readAll(target)), QList<int>({8, 3, 0}));
    EXPECT_EQ(loadAsIs(target).value().size(), QSize(37, 21));
}

TEST(Imaging, RefusesForeignAndTruncatedFilesButNotBenignExtraBytes)
{
    QTemporaryDir dir;
    // Noise spreads the compressed data over the whole file, so a cut ends inside the scan.
    const SyntheticImage noisy{.width = 600, .height = 400, .noise = 30.0};
    const QByteArray jpeg = readAll(write(dir, QStringLiteral("whole.jpg"), noisy));
    const QByteArray png = readAll(write(dir, QStringLiteral("whole.png"), noisy));
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const struct { const char *name; QByteArray bytes; bool loads; } cases[] = {
        // After the end marker, never read.
        {"trailing.jpg", jpeg + QByteArray(4096, 'x'), true},
        // Only a library warning; the picture itself is complete.
        {"stray.jpg", jpeg.left(scan) + QByteArray("\x00\x11\x22", 3) + jpeg.mid(scan), true},
        {"text.jpg", "just some words\r\n", false},
        {"half.jpg", jpeg.left(jpeg.size() / 2), false},
        {"tail-cut.jpg", jpeg.chopped(256), false},
        {"half.png", png.left(png.size() / 2), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(writeAll(path, c.bytes));
        const Result<Picture> picture = loadAsIs(path);
        if (c.loads)
            EXPECT_EQ(picture.ok() ? picture.value().size() : QSize(), QSize(600, 400));
        else
            expectDecodeFailure(picture, path, {});
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
    EXPECT_TRUE(loadAsIs(dir.filePath(QStringLiteral("photo-link.jpg"))).ok());
    // Opening the pipe for reading would wait for a writer that never comes.
    const struct { QString path; const char *kind; } cases[] = {
        {fifo, "a named pipe"},
        {dir.filePath(QStringLiteral("pipe-link.jpg")), "a named pipe"},
        {dir.filePath(QStringLiteral("folder.jpg")), "a folder"},
        {QStringLiteral("/dev/null"), "a character device"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const Result<Picture> picture = loadAsIs(c.path);
        expectDecodeFailure(picture, c.path, {QLatin1String(c.kind), QStringLiteral("not a regular file")});
        EXPECT_EQ(readSize(c.path).error().detail, picture.error().detail);
    }
}

TEST(DecodeBudget, RefusesAtOnceWhatCanNeverFitAndGivesEveryAdmissionBack)
{
    QTemporaryDir dir;
    const QString baseline = write(dir, QStringLiteral("baseline.jpg"), {.width = 2000, .height = 1500});
    const SyntheticImage bigInterlaced{.width = 2000, .height = 1500, .interlaced = true};
    const QString progressive = write(dir, QStringLiteral("progressive.jpg"), bigInterlaced);
    const QString interlaced = write(dir, QStringLiteral("adam7.png"), bigInterlaced);
    const SizeRule thumbnail = [](QSize) -> Result<QSize> { return QSize(100, 75); };
    // 1 MB: a baseline JPEG shrunk on load by 8 needs about 0.2 MB; every other case needs
    // the whole 2000 x 1500 picture (9 MB, 18 MB of progressive coefficients).
    const struct { QString path; SizeRule rule; bool loads; } cases[] = {
        {baseline, thumbnail, true},
        {baseline, [](QSize upright) -> Result<QSize> { return upright; }, false},
        {progressive, thumbnail, false},
        {interlaced, thumbnail, false},
    };
    setDecodeBudget(1'000'000);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const Result<Picture> picture = loadPicture(c.path, c.rule);
        EXPECT_EQ(admittedDecodeBytes(), 0);
        if (c.loads)
            EXPECT_TRUE(picture.ok()) << picture.error().message().toStdString();
        else
            expectDecodeFailure(picture, c.path, {QStringLiteral("2000 x 1500"), QStringLiteral("budget of 1.0 MB")});
    }
    setDecodeBudget(0);
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
    std::atomic_bool done = false;
    qint64 heldWithSecond = -1;
    std::thread second([&] {
        if (const Result<DecodeAdmission> admission = admitDecode(plan); admission.ok())
            heldWithSecond = admittedDecodeBytes();
        done = true;
    });
    // Until the second decode waits for room (or, wrongly, has gone ahead).
    while (waitingDecodes() == 0 && !done)
        std::this_thread::yield();
    held.reset();
    second.join();
    // Admitted only once the first had given its bytes back, never both at once.
    EXPECT_EQ(heldWithSecond, bytes);
    EXPECT_EQ(admittedDecodeBytes(), 0);
    setDecodeBudget(0);
}
