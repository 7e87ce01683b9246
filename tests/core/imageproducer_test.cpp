#include "generator/imageproducer.h"
#include "imaging/imageengine.h"
#include "imaging/syntheticimage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <thread>

using namespace lumarc;
using imaging::SyntheticImage;

namespace {

QString write(const QTemporaryDir &dir, const QString &name, const SyntheticImage &spec)
{
    const QString path = dir.filePath(name);
    const Status status = imaging::writeSyntheticImage(path, spec);
    EXPECT_FALSE(status) << status->message().toStdString();
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSize sizeOf(const QString &path)
{
    const Result<QSize> size = imaging::readSize(path);
    return size.ok() ? size.value() : QSize();
}

ImageItem record(const QString &path, const QString &outputName, bool loaded = true)
{
    ImageItem item;
    item.path = path;
    item.title = outputName;
    item.outputName = outputName;
    item.loaded = loaded;
    return item;
}

Project projectWith(const QList<ImageItem> &items)
{
    Project project;
    project.settings.setDefaults();
    for (const ImageItem &item : items)
        project.images.append(item);
    return project;
}

class RecordingProgress : public Progress {
public:
    void step(int done, int total, const QString &item) override
    {
        steps.append({done, total});
        items.append(item);
        sameThread = sameThread && std::this_thread::get_id() == caller;
    }
    bool stopRequested() const override { return stopAfter >= 0 && steps.size() >= stopAfter; }

    QList<QPair<int, int>> steps;
    QStringList items;
    int stopAfter = -1;
    bool sameThread = true;
    std::thread::id caller = std::this_thread::get_id();
};

QStringList details(const QList<Error> &failures)
{
    QStringList list;
    for (const Error &error : failures)
        list += error.detail;
    return list;
}

} // namespace

TEST(OutputSize, FitsIntoTheBoxNeverEnlargingAndRoundingHalvesToEven)
{
    const struct {
        int w, h, boxW, boxH;
        bool keep;
        QSize expected;
    } cases[] = {
        {4000, 3000, 160, 120, true, {160, 120}},  // same ratio as the box
        {4000, 3000, 750, 500, true, {667, 500}},  // 666.67
        {3000, 1000, 160, 120, true, {160, 53}},   // 53.33
        {3000, 1000, 750, 500, true, {750, 250}},
        {1000, 3000, 750, 500, true, {167, 500}},  // 166.67
        {100, 80, 160, 120, true, {100, 80}},      // fits: kept
        {100, 80, 750, 500, true, {100, 80}},
        {160, 120, 160, 120, true, {160, 120}},    // exactly the box
        {161, 120, 160, 120, true, {160, 119}},    // 119.25
        {7, 2, 10, 1, true, {4, 1}},               // 3.5 -> 4
        {5, 2, 10, 1, true, {2, 1}},               // 2.5 -> 2
        {2, 5, 1, 10, true, {1, 2}},               // 2.5 -> 2
        {2, 7, 1, 10, true, {1, 4}},               // 3.5 -> 4
        {10000, 10, 100, 100, true, {100, 1}},     // 0.1 would vanish
        {4000, 3000, 160, 120, false, {160, 120}},
        {4000, 3000, 750, 500, false, {750, 500}},
        {3000, 1000, 750, 500, false, {750, 500}},
        {100, 200, 160, 120, false, {160, 120}},   // too tall only: stretched to the box
        {100, 80, 750, 500, false, {100, 80}},     // fits: kept even when stretching
    };
    for (const auto &c : cases) {
        EXPECT_EQ(targetSize(c.w, c.h, c.boxW, c.boxH, c.keep), c.expected)
            << c.w << "x" << c.h << " in " << c.boxW << "x" << c.boxH << (c.keep ? " keep" : " stretch");
    }
}

TEST(OutputSize, RefusesEmptyBoxesAndImages)
{
    EXPECT_FALSE(targetSize(100, 100, 0, 120, true).isValid());
    EXPECT_FALSE(targetSize(100, 100, 160, -5, false).isValid());
    EXPECT_FALSE(targetSize(0, 100, 160, 120, true).isValid());
}

class ImageProducer : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString out() const { return dir.filePath(QStringLiteral("gallery")); }
    QString thumb(const QString &name) const { return out() + QStringLiteral("/thumbs/") + name + QStringLiteral(".jpg"); }
    QString photo(const QString &name) const { return out() + QStringLiteral("/photos/") + name + QStringLiteral(".jpg"); }
};

TEST_F(ImageProducer, WritesBothFilesAtTheSizesOfTheDefaultSettings)
{
    const QString wide = write(dir, QStringLiteral("wide.jpg"), {.width = 4000, .height = 3000});
    const QString pano = write(dir, QStringLiteral("pano.jpg"), {.width = 3000, .height = 1000});
    const QString small = write(dir, QStringLiteral("small.png"), {.width = 100, .height = 80});
    Project project = projectWith({record(wide, QStringLiteral("wide")), record(pano, QStringLiteral("pano")),
                                   record(small, QStringLiteral("small"))});
    ASSERT_EQ(project.settings.keepAspectRatio, 1);
    RecordingProgress progress;

    const ImageReport report = makeImages(project, out(), 2, progress);

    EXPECT_TRUE(report.failures.isEmpty()) << details(report.failures).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.produced, 3);
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(sizeOf(thumb(QStringLiteral("wide"))), QSize(160, 120));
    EXPECT_EQ(sizeOf(photo(QStringLiteral("wide"))), QSize(667, 500));
    EXPECT_EQ(sizeOf(thumb(QStringLiteral("pano"))), QSize(160, 53));
    EXPECT_EQ(sizeOf(photo(QStringLiteral("pano"))), QSize(750, 250));
    EXPECT_EQ(sizeOf(thumb(QStringLiteral("small"))), QSize(100, 80));
    EXPECT_EQ(sizeOf(photo(QStringLiteral("small"))), QSize(100, 80));

    ASSERT_EQ(progress.steps.size(), 3);
    EXPECT_EQ(progress.steps.last(), qMakePair(3, 3));
    EXPECT_TRUE(progress.sameThread);
}

TEST_F(ImageProducer, StretchesToTheBoxesWithoutKeepAspectRatio)
{
    const QString wide = write(dir, QStringLiteral("wide.jpg"), {.width = 4000, .height = 3000});
    Project project = projectWith({record(wide, QStringLiteral("wide"))});
    project.settings.keepAspectRatio = 0;
    NullProgress progress;
    const ImageReport report = makeImages(project, out(), 1, progress);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(sizeOf(thumb(QStringLiteral("wide"))), QSize(160, 120));
    EXPECT_EQ(sizeOf(photo(QStringLiteral("wide"))), QSize(750, 500));
}

TEST_F(ImageProducer, TurnsRotatedSourcesUprightAndStoresNoExif)
{
    // Stored 900 x 600 with orientation 6: an upright portrait of 600 x 900, red on top.
    const QString turned = write(dir, QStringLiteral("turned.jpg"), {.width = 900, .height = 600, .orientation = 6});
    Project project = projectWith({record(turned, QStringLiteral("turned"))});
    NullProgress progress;
    const ImageReport report = makeImages(project, out(), 1, progress);
    ASSERT_TRUE(report.failures.isEmpty());

    EXPECT_EQ(sizeOf(thumb(QStringLiteral("turned"))), QSize(80, 120));
    EXPECT_EQ(sizeOf(photo(QStringLiteral("turned"))), QSize(333, 500));
    for (const QString &file : {thumb(QStringLiteral("turned")), photo(QStringLiteral("turned"))}) {
        const QByteArray bytes = readAll(file);
        EXPECT_FALSE(bytes.contains(QByteArray("Exif\0\0", 6))) << file.toStdString();
        const Result<imaging::Picture> decoded =
            imaging::loadPicture(file, [](QSize upright) -> Result<QSize> { return upright; });
        ASSERT_TRUE(decoded.ok());
        const PixelBuffer pixels = decoded.value().toPixelBuffer();
        const auto *top = reinterpret_cast<const unsigned char *>(pixels.rgb.constData()) + (pixels.width / 2) * 3;
        EXPECT_GT(top[0], 200);  // red
        EXPECT_LT(top[2], 60);
    }
}

TEST_F(ImageProducer, ThumbnailsUseQuality80AndPhotosTheSetting)
{
    const QString noisy = write(dir, QStringLiteral("noisy.png"), {.width = 600, .height = 400, .noise = 30});
    Project project = projectWith({record(noisy, QStringLiteral("n"))});
    project.settings.thumbWidth = QStringLiteral("600");
    project.settings.thumbHeight = QStringLiteral("400");
    project.settings.photoWidth = QStringLiteral("600");
    project.settings.photoHeight = QStringLiteral("400");
    NullProgress progress;

    project.settings.jpegQuality = QStringLiteral("80");
    ASSERT_TRUE(makeImages(project, out(), 1, progress).failures.isEmpty());
    EXPECT_EQ(readAll(thumb(QStringLiteral("n"))), readAll(photo(QStringLiteral("n"))));

    project.settings.jpegQuality = QStringLiteral("20");
    ASSERT_TRUE(makeImages(project, out(), 1, progress).failures.isEmpty());
    const qint64 thumbBytes = QFileInfo(thumb(QStringLiteral("n"))).size();
    const qint64 photoBytes = QFileInfo(photo(QStringLiteral("n"))).size();
    EXPECT_LT(photoBytes * 2, thumbBytes);
}

TEST_F(ImageProducer, ReportsBadSourcesForBothFilesAndGoesOn)
{
    const QString good = write(dir, QStringLiteral("good.jpg"), {.width = 300, .height = 200});
    QFile text(dir.filePath(QStringLiteral("text.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    Project project = projectWith({record(missing, QStringLiteral("missing")),
                                   record(text.fileName(), QStringLiteral("text")),
                                   record(good, QStringLiteral("good"))});
    NullProgress progress;

    const ImageReport report = makeImages(project, out(), 2, progress);

    ASSERT_EQ(report.failures.size(), 4);
    const QStringList expectedPaths = {thumb(QStringLiteral("missing")), photo(QStringLiteral("missing")),
                                       thumb(QStringLiteral("text")), photo(QStringLiteral("text"))};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(report.failures.at(i).path, expectedPaths.at(i));
        EXPECT_TRUE(report.failures.at(i).detail.startsWith(QStringLiteral("proc:NewImage/err2: ")))
            << report.failures.at(i).detail.toStdString();
        EXPECT_FALSE(QFile::exists(expectedPaths.at(i)));
    }
    EXPECT_EQ(report.failures.at(0).code, ErrorCode::NotFound);
    EXPECT_EQ(report.failures.at(2).code, ErrorCode::Decode);
    EXPECT_EQ(report.produced, 1);
    EXPECT_EQ(sizeOf(photo(QStringLiteral("good"))), QSize(300, 200));
}

TEST_F(ImageProducer, ReportsASaveFailureWithTheTargetPath)
{
    const QString good = write(dir, QStringLiteral("good.png"), {.width = 300, .height = 200});
    const QString blocked = dir.filePath(QStringLiteral("no/such/folder/a.jpg"));
    const QString fine = dir.filePath(QStringLiteral("b.jpg"));
    const QList<Error> failures = produceImage(good, {ImageTarget{blocked, 160, 120, 80}, ImageTarget{fine, 750, 500, 90}},
                                               true);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures.at(0).path, blocked);
    EXPECT_TRUE(failures.at(0).detail.startsWith(QStringLiteral("proc:NewImage/err2: ")));
    EXPECT_EQ(sizeOf(fine), QSize(300, 200));
}

TEST_F(ImageProducer, UnusableSizeSettingsAreReportedPerImageAndTheOtherFileIsStillMade)
{
    const QString good = write(dir, QStringLiteral("good.png"), {.width = 300, .height = 200});
    Project project = projectWith({record(good, QStringLiteral("a")), record(good + QStringLiteral(""), QStringLiteral("b"))});
    project.settings.thumbWidth = QStringLiteral("wide");
    NullProgress progress;
    const ImageReport report = makeImages(project, out(), 1, progress);
    ASSERT_EQ(report.failures.size(), 2);
    EXPECT_EQ(report.failures.at(0).path, thumb(QStringLiteral("a")));
    EXPECT_EQ(report.failures.at(0).code, ErrorCode::Invalid);
    EXPECT_TRUE(report.failures.at(0).detail.contains(QStringLiteral("thumb_width")));
    EXPECT_EQ(report.failures.at(1).path, thumb(QStringLiteral("b")));
    EXPECT_EQ(report.produced, 0);
    EXPECT_TRUE(QFile::exists(photo(QStringLiteral("a"))));
    EXPECT_FALSE(QFile::exists(thumb(QStringLiteral("a"))));

    project.settings.thumbWidth = QStringLiteral(" 160 ");  // blanks around a number are fine
    project.settings.jpegQuality = QStringLiteral("9x");
    const ImageReport second = makeImages(project, out(), 1, progress);
    ASSERT_EQ(second.failures.size(), 2);
    EXPECT_EQ(second.failures.at(0).path, photo(QStringLiteral("a")));
    EXPECT_TRUE(second.failures.at(0).detail.contains(QStringLiteral("jpeg_quality")));
    EXPECT_TRUE(QFile::exists(thumb(QStringLiteral("a"))));
}

TEST_F(ImageProducer, SkipsRecordsThatAreNotLoadedButCountsThemInProgress)
{
    const QString good = write(dir, QStringLiteral("good.png"), {.width = 30, .height = 20});
    Project project = projectWith({record(good, QStringLiteral("off"), false), record(good, QStringLiteral("on"))});
    RecordingProgress progress;
    const ImageReport report = makeImages(project, out(), 0, progress);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(report.produced, 1);
    EXPECT_FALSE(QFile::exists(thumb(QStringLiteral("off"))));
    EXPECT_FALSE(QFile::exists(photo(QStringLiteral("off"))));
    EXPECT_TRUE(QFile::exists(photo(QStringLiteral("on"))));
    ASSERT_EQ(progress.steps.size(), 1);
    EXPECT_EQ(progress.steps.at(0), qMakePair(2, 2));
}

TEST_F(ImageProducer, EmptiesThumbsAndPhotosOfFilesButKeepsSubfolders)
{
    const QString good = write(dir, QStringLiteral("good.png"), {.width = 30, .height = 20});
    ASSERT_TRUE(QDir().mkpath(out() + QStringLiteral("/thumbs/keep")));
    ASSERT_TRUE(QDir().mkpath(out() + QStringLiteral("/photos")));
    for (const QString &stale : {out() + QStringLiteral("/thumbs/old.jpg"), out() + QStringLiteral("/photos/notes.txt"),
                                 out() + QStringLiteral("/photos/.hidden"), out() + QStringLiteral("/index.html")}) {
        QFile file(stale);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Project project = projectWith({record(good, QStringLiteral("new"))});
    NullProgress progress;
    const ImageReport report = makeImages(project, out(), 1, progress);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(QDir(out() + QStringLiteral("/thumbs")).entryList(QDir::Files | QDir::Hidden), QStringList{"new.jpg"});
    EXPECT_EQ(QDir(out() + QStringLiteral("/photos")).entryList(QDir::Files | QDir::Hidden), QStringList{"new.jpg"});
    EXPECT_TRUE(QDir(out() + QStringLiteral("/thumbs/keep")).exists());
    EXPECT_TRUE(QFile::exists(out() + QStringLiteral("/index.html")));  // only the two image folders
}

TEST_F(ImageProducer, WritesTheSameBytesWithOneOrTwoWorkers)
{
    QList<ImageItem> items;
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("img%1").arg(i);
        items.append(record(write(dir, name + QStringLiteral(".jpg"),
                                  {.width = 800 + 37 * i, .height = 600 - 23 * i, .noise = 10.0 + i}),
                            name));
    }
    const Project project = projectWith(items);
    NullProgress progress;
    const QString one = dir.filePath(QStringLiteral("one"));
    const QString two = dir.filePath(QStringLiteral("two"));
    ASSERT_TRUE(makeImages(project, one, 1, progress).failures.isEmpty());
    ASSERT_TRUE(makeImages(project, two, 2, progress).failures.isEmpty());
    for (const QString &sub : {QStringLiteral("thumbs"), QStringLiteral("photos")}) {
        for (int i = 0; i < 5; ++i) {
            const QString name = QStringLiteral("/%1/img%2.jpg").arg(sub).arg(i);
            const QByteArray a = readAll(one + name);
            ASSERT_FALSE(a.isEmpty()) << name.toStdString();
            EXPECT_EQ(a, readAll(two + name)) << name.toStdString();
        }
    }
}

TEST_F(ImageProducer, StopFinishesTheImagesInHandAndSkipsTheRest)
{
    const QString good = write(dir, QStringLiteral("good.jpg"), {.width = 400, .height = 300});
    QList<ImageItem> items;
    for (int i = 0; i < 6; ++i)
        items.append(record(good, QStringLiteral("i%1").arg(i)));
    const Project project = projectWith(items);
    RecordingProgress progress;
    progress.stopAfter = 1;
    const ImageReport report = makeImages(project, out(), 1, progress);
    EXPECT_TRUE(report.stopped);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_GE(report.produced, 1);
    EXPECT_LT(report.produced, 6);
    EXPECT_EQ(QDir(out() + QStringLiteral("/photos")).entryList(QDir::Files).size(), report.produced);
}

TEST_F(ImageProducer, AnUncreatableDestinationIsReportedOnce)
{
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString good = write(dir, QStringLiteral("good.png"), {});
    const Project project = projectWith({record(good, QStringLiteral("a"))});
    NullProgress progress;
    const ImageReport report = makeImages(project, blocker.fileName() + QStringLiteral("/gallery"), 1, progress);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures.at(0).code, ErrorCode::WriteFailed);
    EXPECT_EQ(report.produced, 0);
}
