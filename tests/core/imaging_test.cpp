#include "imaging/decodebudget.h"
#include "imaging/imageengine.h"
#include "syntheticimage.h"

#include <atomic>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;
using namespace lumarc::imaging;

namespace {

QString write(const QTemporaryDir &dir, const char *name, const SyntheticImage &spec)
{
    EXPECT_FALSE(writeSyntheticImage(dir.filePath(QLatin1String(name)), spec));
    return dir.filePath(QLatin1String(name));
}

Result<Picture> loadAsIs(const QString &path) { return loadPicture(path, [](QSize s) -> Result<QSize> { return s; }); }

// A Decode failure naming path, with each text and no warning left from an earlier decode.
void expectDecodeFailure(const Result<Picture> &picture, const QString &path, const QStringList &texts = {})
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
    // Each comes out 20 x 40 with a red left half, sampled near the top left corner; r < 0: any grey.
    // Larger sources are reduced on the way, and turned upright after that.
    const struct { const char *name; SyntheticImage spec; int r, g, b, tolerance; } cases[] = {
        {"turned.jpg", {.width = 100, .height = 40, .orientation = 6}, 255, 0, 0, 40},  // red on the left goes on top
        {"grey.png", {.width = 20, .height = 40, .colour = SyntheticColour::Grey}, -1, 0, 0, 0},
        {"deep.png", {.width = 40, .height = 80, .sixteenBit = true}, 255, 0, 0, 1},
        {"alpha.png", {.width = 20, .height = 40, .alpha = true}, 255, 127, 127, 2},
        {"cmyk.jpg", {.width = 20, .height = 40, .colour = SyntheticColour::Cmyk, .quality = 100}, 230, 30, 30, 45},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(dir, c.name, c.spec);
        const bool turned = c.spec.orientation == 6;
        EXPECT_EQ(readSize(path).value(), turned ? QSize(c.spec.height, c.spec.width) : QSize(c.spec.width, c.spec.height));
        const Result<Picture> picture = loadPicture(path, [](QSize) -> Result<QSize> { return QSize(20, 40); });
        ASSERT_TRUE(picture.ok()) << picture.error().message().toStdString();
        const PixelBuffer pixels = picture.value().toPixelBuffer();
        ASSERT_EQ(QList<qsizetype>({pixels.width, pixels.height, pixels.rgb.size()}), QList<qsizetype>({20, 40, 2400}));
        const auto *corner = reinterpret_cast<const unsigned char *>(pixels.rgb.constData()) + (4 * 20 + 4) * 3;
        const int expected[3] = {c.r < 0 ? corner[1] : c.r, c.r < 0 ? corner[2] : c.g, c.r < 0 ? corner[0] : c.b};
        for (int band = 0; band < 3; ++band)
            EXPECT_NEAR(corner[band], expected[band], c.tolerance) << "band " << band;
    }
}

TEST(Imaging, SavedJpegIsEightBitRgbAtTheExactSizeWithoutMetadata)
{
    QTemporaryDir dir;
    const QString source = write(dir, "tagged.jpg", {.width = 64, .height = 48, .orientation = 3});
    ASSERT_TRUE(jpegLayout(readAll(source))[2]);  // the source has Exif
    // Read as save options, "[Q=1]" would make the library write out.jpg instead.
    const QString target = dir.filePath(QStringLiteral("out.jpg[Q=1]"));
    ASSERT_FALSE(loadPicture(source, [](QSize) -> Result<QSize> { return QSize(37, 21); }).value().saveJpeg(target, 90));
    EXPECT_EQ(jpegLayout(readAll(target)), QList<int>({8, 3, 0}));
    EXPECT_EQ(loadAsIs(target).value().size(), QSize(37, 21));
}

TEST(Imaging, RefusesForeignTruncatedAndOversizedFilesButNotBenignExtraBytes)
{
    QTemporaryDir dir;
    // Noise spreads the compressed data over the whole file, so a cut ends inside the scan.
    const SyntheticImage noisy{.width = 600, .height = 400, .noise = 30.0};
    const QByteArray jpeg = readAll(write(dir, "whole.jpg", noisy)), png = readAll(write(dir, "whole.png", noisy));
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const qint64 any = kDefaultPixelLimit;
    const QString foreign = QStringLiteral("not an image of a supported kind (JPEG, PNG");
    const struct { const char *name; QByteArray bytes; bool loads; qint64 pixelLimit; QString says = {}; } cases[] = {
        {"trailing.jpg", jpeg + QByteArray(4096, 'x'), true, any},  // after the end marker
        // Only a library warning; the picture itself is complete.
        {"stray.jpg", jpeg.left(scan) + QByteArray("\x00\x11\x22", 3) + jpeg.mid(scan), true, any},
        {"text.jpg", "just some words\r\n", false, any, foreign}, {"half.jpg", jpeg.left(jpeg.size() / 2), false, any},
        {"tail-cut.jpg", jpeg.chopped(256), false, any}, {"half.png", png.left(png.size() / 2), false, any},
        {"at-limit.png", png, true, 600 * 400}, {"over-limit.png", png, false, 600 * 400 - 1},
        // A kind the library has a loader for never reaches it; which kinds do is the loader table below.
        {"matrix.jpg", "3 2\n0 0 255\n255 0 0\n", false, any, foreign},
        {"png-named.jpg", png, true, any},  // the bytes choose the loader, not the name
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(writeAll(path, c.bytes));
        setPixelLimit(c.pixelLimit);
        const Result<Picture> picture = loadAsIs(path);
        if (c.loads)
            EXPECT_EQ(picture.ok() ? picture.value().size() : QSize(), QSize(600, 400));
        else
            expectDecodeFailure(picture, path, c.says.isEmpty() ? QStringList() : QStringList{c.says});
    }
    setPixelLimit(kDefaultPixelLimit);
}

TEST(Imaging, ChoosesTheLoaderByTheSignatureOfAnAllowedKindOnly)
{
    using B = QByteArray;
    const struct { QByteArray head; std::optional<Loader> loader; } cases[] = {
        {"\xFF\xD8\xFF\xE0", Loader::Jpeg}, {"\x89PNG\r\n\x1A\n", Loader::Png}, {"GIF87a", Loader::Gif}, {"GIF89a", Loader::Gif},
        {B("II*\0", 4), Loader::Tiff}, {B("MM\0*", 4), Loader::Tiff}, {B("RIFF\x10\0\0\0WEBPVP8 ", 16), Loader::WebP},
        {B("\0\0\0\x18" "ftypheic", 12), Loader::Heif}, {B("\0\0\0\x1C" "ftypavif", 12), Loader::Heif},
        // Cut short, near misses (a WAVE file, an MP4 video) and kinds that are never read.
        {"\xFF\xD8", {}}, {"\x89PNG\r\n\x1A", {}}, {"GIF88a", {}}, {B("RIFF\x10\0\0\0WAVEfmt ", 16), {}},
        {B("\0\0\0\x18" "ftypmp42", 12), {}}, {"%PDF-1.7", {}}, {"<?xml version=", {}}, {"P6\n3 2\n255\n", {}},
        {"BM", {}}, {"SIMPLE  =                    T", {}}, {"<svg xmlns=", {}}, {"1,2,3\n", {}}, {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(loaderFor(c.head), c.loader) << c.head.toHex().toStdString();
}

TEST(Imaging, OpensOnlyExistingRegularFilesAndLinksToThem)
{
    QTemporaryDir dir;
    const QString absent = dir.filePath(QStringLiteral("absent.jpg"));
    const Result<Picture> missing = loadAsIs(absent);
    EXPECT_TRUE(!missing.ok() && missing.error().code == ErrorCode::NotFound && missing.error().path == absent);
    const QString fifo = dir.filePath(QStringLiteral("pipe.jpg")), link = dir.filePath(QStringLiteral("link.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(write(dir, "photo.jpg", {}), dir.filePath(QStringLiteral("photo-link.jpg"))));
    ASSERT_TRUE(QFile::link(fifo, link) && QDir(dir.path()).mkdir(QStringLiteral("folder.jpg")));
    EXPECT_TRUE(loadAsIs(dir.filePath(QStringLiteral("photo-link.jpg"))).ok());
    // Opening the pipe for reading would wait for a writer that never comes.
    const struct { QString path; const char *kind; } cases[] = {
        {fifo, "a named pipe"}, {link, "a named pipe"}, {dir.filePath(QStringLiteral("folder.jpg")), "a folder"},
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
    const SyntheticImage big{.width = 2000, .height = 1500}, bigInterlaced{.width = 2000, .height = 1500, .interlaced = true};
    const QString baseline = write(dir, "baseline.jpg", big), interlaced = write(dir, "adam7.png", bigInterlaced);
    const SizeRule thumbnail = [](QSize) -> Result<QSize> { return QSize(100, 75); };
    // 1 MB: a baseline JPEG shrunk by 8 on load needs 0.2 MB, the others 9 MB (progressive: 18 MB).
    const struct { QString path; SizeRule rule; bool loads; } cases[] = {
        {baseline, thumbnail, true},
        {baseline, [](QSize upright) -> Result<QSize> { return upright; }, false},
        {write(dir, "progressive.jpg", bigInterlaced), thumbnail, false},
        {interlaced, thumbnail, false},
    };
    setDecodeBudget(1'000'000);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        {
            const Result<Picture> picture = loadPicture(c.path, c.rule);
            // A picture holds its bytes while it is worked from, a failure none.
            EXPECT_EQ(admittedDecodeBytes() > 0, picture.ok());
            if (c.loads)
                EXPECT_TRUE(picture.ok()) << picture.error().message().toStdString();
            else
                expectDecodeFailure(picture, c.path, {QStringLiteral("2000 x 1500"), QStringLiteral("budget of 1.0 MB")});
        }
        EXPECT_EQ(admittedDecodeBytes(), 0);
    }
    setDecodeBudget(0);
    EXPECT_TRUE(loadPicture(interlaced, thumbnail).ok());
    EXPECT_EQ(admittedDecodeBytes(), 0);
}

TEST(DecodeBudget, TheDefaultKeepsToAQuarterOfTheProcesssMemoryLimitPosix)
{
    struct rlimit before {};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    const qint64 unlimited = defaultDecodeBudget();
    const rlim_t limit = rlim_t(2) << 30;  // 2 GB: room for the threads of the suite meanwhile
    if (before.rlim_max != RLIM_INFINITY && before.rlim_max < limit)
        GTEST_SKIP() << "the hard limit is lower already";
    struct rlimit narrowed = before;
    narrowed.rlim_cur = limit;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &narrowed), 0);
    const qint64 limited = defaultDecodeBudget();
    setrlimit(RLIMIT_AS, &before);
    EXPECT_EQ(limited, std::min(unlimited, qint64(limit / 4)));
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
    qint64 heldWithSecond = -1;  // admitted only once the first gave its bytes back, never both at once
    std::thread second([&] {
        if (const Result<DecodeAdmission> admission = admitDecode(plan); admission.ok())
            heldWithSecond = admittedDecodeBytes();
        done = true;
    });
    while (waitingDecodes() == 0 && !done)  // until the second waits for room (or, wrongly, went ahead)
        std::this_thread::yield();
    held.reset();
    second.join();
    EXPECT_TRUE(heldWithSecond == bytes && admittedDecodeBytes() == 0) << heldWithSecond;
    setDecodeBudget(0);
}
