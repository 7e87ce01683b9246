#include "generator/imageproducer.h"
#include "imaging/imageengine.h"
#include "imaging/syntheticimage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lumarc;

namespace {

QSize sizeOf(const QString &path)
{
    const Result<QSize> size = imaging::readSize(path);
    return size.ok() ? size.value() : QSize();
}

class CountingProgress : public Progress {
public:
    void step(int done, int total, const QString &) override { last = {done, total}; }
    bool stopRequested() const override { return false; }
    QPair<int, int> last;
};

} // namespace

TEST(OutputSize, FitsIntoTheBoxNeverEnlargingAndRoundingHalvesToEven)
{
    // In the default boxes, 160 x 120 and 750 x 500.
    const struct { int w, h; bool keep; QSize thumb, photo; } cases[] = {
        {4000, 3000, true, {160, 120}, {667, 500}},  // 666.67
        {3000, 1000, true, {160, 53}, {750, 250}},   // 53.33
        {100, 80, true, {100, 80}, {100, 80}},       // fits: never enlarged
        {160, 120, true, {160, 120}, {160, 120}},
        {750, 500, true, {160, 107}, {750, 500}},
        {320, 101, true, {160, 50}, {320, 101}},     // 50.5 -> 50
        {320, 103, true, {160, 52}, {320, 103}},     // 51.5 -> 52
        {10000, 10, true, {160, 1}, {750, 1}},       // 0.16 would vanish
        {4000, 3000, false, {160, 120}, {750, 500}},
        {100, 80, false, {100, 80}, {100, 80}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << (c.keep ? " keep" : " stretch"));
        EXPECT_EQ(targetSize(c.w, c.h, 160, 120, c.keep), c.thumb);
        EXPECT_EQ(targetSize(c.w, c.h, 750, 500, c.keep), c.photo);
    }
}

class ImageProducer : public ::testing::Test {
protected:
    QString write(const QString &name, const imaging::SyntheticImage &spec)
    {
        const QString path = dir.filePath(name);
        const Status status = imaging::writeSyntheticImage(path, spec);
        EXPECT_FALSE(status) << status->message().toStdString();
        return path;
    }
    // Records named after their files; loaded unless the output name starts with "off".
    Project projectWith(const QStringList &paths)
    {
        Project project;
        project.settings.setDefaults();
        for (const QString &path : paths) {
            ImageItem item;
            item.path = path;
            item.outputName = QFileInfo(path).completeBaseName();
            item.loaded = !item.outputName.startsWith(QStringLiteral("off"));
            project.images.append(item);
        }
        return project;
    }
    QString out() const { return dir.filePath(QStringLiteral("gallery")); }
    QString thumb(const QString &name) const { return out() + QStringLiteral("/thumbs/") + name + QStringLiteral(".jpg"); }
    QString photo(const QString &name) const { return out() + QStringLiteral("/photos/") + name + QStringLiteral(".jpg"); }

    QTemporaryDir dir;
    CountingProgress progress;
};

TEST_F(ImageProducer, WritesEveryRecordAtTheDefaultSizesWhateverItsLoadedFlag)
{
    ASSERT_TRUE(QDir().mkpath(out() + QStringLiteral("/thumbs/keep")));
    const QString wide = write(QStringLiteral("wide.jpg"), {.width = 4000, .height = 3000});
    const QString off = write(QStringLiteral("off.png"), {});  // stored with loaded 0

    const ImageReport report = makeImages(projectWith({wide, off}), out(), 2, progress);

    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(report.produced, 2);
    EXPECT_EQ(progress.last, qMakePair(2, 2));
    EXPECT_EQ(sizeOf(thumb(QStringLiteral("wide"))), QSize(160, 120));
    EXPECT_EQ(sizeOf(photo(QStringLiteral("wide"))), QSize(667, 500));
    EXPECT_EQ(sizeOf(photo(QStringLiteral("off"))), QSize(64, 48));
    EXPECT_TRUE(QDir(out() + QStringLiteral("/thumbs/keep")).exists());
}

TEST_F(ImageProducer, NameThatIsNotAPlainFileNameWritesNothing)
{
    const QString source = write(QStringLiteral("Dune.jpg"), {.width = 900, .height = 600});
    Project project = projectWith({source});
    ImageItem item = project.images.at(0);
    // Which names are unsafe is the output name table; here the producer's own check.
    for (const QString &name : {QStringLiteral("../../Dune"), QString(), QStringLiteral("x%1y").arg(QChar(0))}) {
        item.outputName = name;
        project.images.replace(0, item);
        const ImageReport report = makeImages(project, out(), 1, progress);
        ASSERT_EQ(report.failures.size(), 2) << name.toStdString();
        EXPECT_EQ(report.failures.first().code, ErrorCode::Invalid);
        EXPECT_EQ(report.produced, 0);
    }
    EXPECT_EQ(QDir(out() + QStringLiteral("/photos")).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Dune.jpg"});
    EXPECT_EQ(sizeOf(source), QSize(900, 600));
}

TEST_F(ImageProducer, ANonNumericSizeSettingIsReportedAndTheOtherFileStillMade)
{
    Project project = projectWith({write(QStringLiteral("a.png"), {})});
    project.settings.thumbWidth = QStringLiteral("wide");
    const ImageReport report = makeImages(project, out(), 1, progress);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures.at(0).path, thumb(QStringLiteral("a")));
    EXPECT_TRUE(report.failures.at(0).detail.contains(QStringLiteral("thumb_width")));
    EXPECT_EQ(report.produced, 0);
    EXPECT_TRUE(QFile::exists(photo(QStringLiteral("a"))));
}
