#include "generator/imageproducer.h"
#include "imaging/decodebudget.h"
#include "imaging/imageengine.h"
#include "syntheticimage.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using lumarc::test::galleryFolder;

namespace {

class CountingProgress : public Progress {
public:
    void step(int done, int total, const QString &) override { last = {done, total}; }
    bool stopRequested() const override { return false; }
    QPair<int, int> last;
};

class ImageProducer : public ::testing::Test {
protected:
    QString write(const QString &name, const test::SyntheticImage &spec = {})
    {
        EXPECT_FALSE(test::writeSyntheticImage(dir.filePath(name), spec));
        return dir.filePath(name);
    }
    // Records named after their files; loaded unless the output name starts with "off".
    static Project projectWith(const QStringList &paths)
    {
        Project project;
        project.settings.setDefaults();
        for (const QString &path : paths) {
            ImageItem item;
            item.path = path, item.outputName = QFileInfo(path).completeBaseName();
            item.loaded = !item.outputName.startsWith(QStringLiteral("off")), project.images.append(item);
        }
        return project;
    }
    static QSize sizeOf(const QString &path) { const Result<QSize> s = imaging::readSize(path); return s ? s.value() : QSize(); }
    QString out() const { return dir.filePath(QStringLiteral("gallery")); }
    QString file(const char *folder, const char *name) const { return QStringLiteral("%1/%2/%3.jpg").arg(out(), folder, name); }

    QTemporaryDir dir;
    CountingProgress progress;
};

} // namespace

TEST(OutputSize, FitsIntoTheBoxNeverEnlargingAndRoundingHalvesToEven)
{
    // Default boxes 160 x 120, 750 x 500: 666.67, 53.33, no enlarging, 50.5 -> 50, 51.5 -> 52, 0.16 -> 1.
    const struct { int w, h; bool keep; QSize thumb, photo; } cases[] = {
        {4000, 3000, true, {160, 120}, {667, 500}}, {3000, 1000, true, {160, 53}, {750, 250}},
        {100, 80, true, {100, 80}, {100, 80}},      {160, 120, true, {160, 120}, {160, 120}},
        {750, 500, true, {160, 107}, {750, 500}},   {320, 101, true, {160, 50}, {320, 101}},
        {320, 103, true, {160, 52}, {320, 103}},    {10000, 10, true, {160, 1}, {750, 1}},
        {4000, 3000, false, {160, 120}, {750, 500}}, {100, 80, false, {100, 80}, {100, 80}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << (c.keep ? " keep" : " stretch"));
        EXPECT_EQ(targetSize(c.w, c.h, 160, 120, c.keep), c.thumb);
        EXPECT_EQ(targetSize(c.w, c.h, 750, 500, c.keep), c.photo);
    }
}

TEST_F(ImageProducer, WritesEveryRecordAtTheDefaultSizesWhateverItsLoadedFlag)
{
    ASSERT_TRUE(QDir().mkpath(out() + QStringLiteral("/thumbs/keep")));
    // 12 MP of a phone (shrunk on load to 1000 x 667, then reduced) and 24 MP (decoded at 750 x 500).
    const QString phone = write("phone.jpg", {.width = 4000, .height = 2667}), off = write("off.png");  // off: loaded 0
    const QString wide = write("wide.jpg", {.width = 4000, .height = 3000}), camera = write("camera.jpg", {.width = 6000, .height = 4000});
    const ImageReport report = makeImages(projectWith({phone, off, wide, camera}), *galleryFolder(out()), 2, progress);
    EXPECT_TRUE(report.failures.isEmpty() && report.produced == 4 && progress.last == qMakePair(4, 4));
    QList<QSize> sizes{sizeOf(file("photos", "off"))};
    for (const char *name : {"phone", "wide", "camera"})
        sizes << sizeOf(file("thumbs", name)) << sizeOf(file("photos", name));
    EXPECT_EQ(sizes, QList<QSize>({{64, 48}, {160, 107}, {750, 500}, {160, 120}, {667, 500}, {160, 107}, {750, 500}}));
    EXPECT_TRUE(QDir(out() + QStringLiteral("/thumbs/keep")).exists());
}

TEST_F(ImageProducer, OneAndTwoWorkersWriteTheSameBytes)
{
    QStringList sources;
    for (int i = 0; i < 5; ++i)
        sources.append(write(QStringLiteral("s%1.jpg").arg(i), {.width = 900 + 37 * i, .height = 600, .noise = 8.0}));
    QList<QByteArray> made[2];
    for (int workers : {1, 2}) {
        const QString folder = dir.filePath(QStringLiteral("w%1").arg(workers));
        ASSERT_TRUE(makeImages(projectWith(sources), *galleryFolder(folder), workers, progress).failures.isEmpty());
        for (const QString &source : sources)
            for (const char *sub : {"thumbs", "photos"})
                made[workers - 1].append(test::readAll(QStringLiteral("%1/%2/%3.jpg").arg(folder, sub, QFileInfo(source).completeBaseName())));
    }
    EXPECT_EQ(made[0], made[1]);
    EXPECT_FALSE(made[0].contains(QByteArray()));
}

TEST_F(ImageProducer, NameThatIsNotAPlainFileNameWritesNothing)
{
    const QString source = write("Dune.jpg", {.width = 900, .height = 600});
    Project project = projectWith({source});
    ImageItem item = project.images.at(0);
    // Which names are unsafe is the output name table; here the producer's own check.
    for (const QString &name : {QStringLiteral("../../Dune"), QString(), QStringLiteral("x%1y").arg(QChar(0))}) {
        item.outputName = name;
        project.images.replace(0, item);
        const ImageReport report = makeImages(project, *galleryFolder(out()), 1, progress);
        ASSERT_EQ(report.failures.size(), 2) << name.toStdString();
        EXPECT_TRUE(report.failures.first().code == ErrorCode::Invalid && report.produced == 0);
    }
    EXPECT_EQ(QDir(out() + QStringLiteral("/photos")).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Dune.jpg"});
    EXPECT_EQ(sizeOf(source), QSize(900, 600));
}

TEST_F(ImageProducer, ASizeSettingThatIsNoNumberOrBeyondJpegIsReportedAndTheOtherFileStillMade)
{
    const QString source = write("a.png");
    const struct { QString GallerySettings::*field; const char *name, *value, *failing, *other; } cases[] = {
        {&GallerySettings::thumbWidth, "thumb_width", "wide", "thumbs", "photos"},
        {&GallerySettings::photoWidth, "photo_width", "65501", "photos", "thumbs"},
        {&GallerySettings::photoHeight, "photo_height", "70000", "photos", "thumbs"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(out()).removeRecursively();
        Project project = projectWith({source});
        project.settings.*c.field = QString::fromLatin1(c.value);
        const ImageReport report = makeImages(project, *galleryFolder(out()), 1, progress);
        ASSERT_EQ(report.failures.size(), 1);
        EXPECT_EQ(report.failures.at(0).path, file(c.failing, "a"));
        EXPECT_TRUE(report.failures.at(0).detail.contains(QLatin1String(c.name)) && report.produced == 0);
        EXPECT_TRUE(QFile::exists(file(c.other, "a")));
    }
}

TEST_F(ImageProducer, TheBudgetIsChargedForTheWholeProductionBeforeAnythingIsMade)
{
    // A tiny picture stretched into a tall box: its decode is small, the copies made from it are not.
    const QString source = write("thin.png", {.width = 2, .height = 2000});
    const ImageTarget stretched{dir.filePath(QStringLiteral("tall.jpg")), 3000, 1999, 90, nullptr, {}};
    const qint64 oneCopy = qint64(3000) * 1999 * 3;  // 18 MB: the decode and its copy fit, copy plus sharpened do not
    imaging::setDecodeBudget(oneCopy + oneCopy / 2);
    const QList<Error> refused = produceImage(source, {stretched}, false);
    imaging::setDecodeBudget(0);
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused.at(0).code == ErrorCode::Decode && refused.at(0).detail.contains(QStringLiteral("budget")))
        << refused.at(0).detail.toStdString();
    EXPECT_FALSE(QFile::exists(stretched.path));
    EXPECT_EQ(imaging::admittedDecodeBytes(), 0);
    EXPECT_TRUE(produceImage(source, {stretched}, false).isEmpty());  // with the default budget
    EXPECT_EQ(sizeOf(stretched.path), QSize(3000, 1999));
}
