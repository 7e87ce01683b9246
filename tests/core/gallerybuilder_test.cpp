#include "generator/gallerybuilder.h"

#include "imaging/imageengine.h"
#include "imaging/syntheticimage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

class RecordingProgress final : public Progress {
public:
    void phase(const QString &title) override { phases.append(title); }
    void step(int, int, const QString &item) override
    {
        items.append(item);
        stop = stopAfter > 0 && items.size() >= stopAfter;
    }
    bool stopRequested() const override { return stop; }

    QStringList phases;
    QStringList items;
    int stopAfter = 0;
    bool stop = false;
};

class GalleryBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        imaging::initialise();
        project.settings.setDefaults();
        project.settings.destinationFolder = tmp.filePath("out/gallery");
    }

    void addImages(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString path = tmp.filePath(QStringLiteral("src%1.jpg").arg(i));
            imaging::SyntheticImage spec;
            spec.width = 96;
            spec.height = 64;
            ASSERT_FALSE(imaging::writeSyntheticImage(path, spec));
            project.images.append(newImageRecord(project, path));
        }
    }

    QStringList entries(const QString &relative) const
    {
        return QDir(tmp.filePath(relative)).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir tmp;
    Project project;
    RecordingProgress progress;
};

} // namespace

TEST_F(GalleryBuilderTest, EmptyProjectOrZeroColumnsIsRefusedBeforeAnythingIsWritten)
{
    const BuildReport empty = buildGallery(project, {}, progress);
    ASSERT_TRUE(empty.fatal);
    EXPECT_EQ(empty.fatal->detail, "No images!");

    addImages(1);
    project.settings.columns = 0;
    const BuildReport zero = buildGallery(project, {}, progress);
    ASSERT_TRUE(zero.fatal);
    EXPECT_EQ(zero.fatal->code, ErrorCode::Invalid);
    EXPECT_FALSE(QDir(tmp.filePath("out")).exists());
}

TEST_F(GalleryBuilderTest, NineImagesInTwoByTwoGiveThreePagesStartingAtZeb)
{
    addImages(9);
    project.settings.columns = 2;
    project.settings.rows = 2;
    BuildOptions options;
    options.workers = 2;
    const BuildReport report = buildGallery(project, options, progress);
    ASSERT_FALSE(report.fatal) << report.fatal->message().toStdString();
    EXPECT_TRUE(report.succeeded());
    EXPECT_EQ(report.imagesProduced, 9);
    EXPECT_EQ(report.firstPage, QDir::toNativeSeparators(tmp.filePath("out/gallery")) + QDir::separator() + "zeb.html");
    EXPECT_EQ(entries("out/gallery").filter(".html"), (QStringList{"zeb.html", "zeb1.html", "zeb2.html"}));
    EXPECT_EQ(entries("out/gallery/photos").size(), 9);
    EXPECT_EQ(entries("out/gallery/thumbs").size(), 9);
    EXPECT_TRUE(QFile::exists(tmp.filePath("out/gallery/library/zebstyle.css")));
    EXPECT_EQ(progress.phases, (QStringList{"Creating web folder...", "Creating thumbnails..."}));
    EXPECT_TRUE(progress.items.last().startsWith("Image:"));
}

TEST_F(GalleryBuilderTest, HtmlOnlyOnANewFolderWritesPagesThatReferToMissingImages)
{
    addImages(2);
    BuildOptions options;
    options.htmlOnly = true;
    const BuildReport report = buildGallery(project, options, progress);
    ASSERT_FALSE(report.fatal);
    EXPECT_TRUE(report.succeeded());
    EXPECT_TRUE(report.firstPage.endsWith("index.html"));
    EXPECT_FALSE(QDir(tmp.filePath("out/gallery/photos")).exists());
    QFile page(report.firstPage);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("src=\"thumbs/src1.jpg\""));
}

TEST_F(GalleryBuilderTest, StopEndsAfterTheCurrentImagesAndWritesNoPages)
{
    addImages(6);
    progress.stopAfter = 1;
    BuildOptions options;
    options.workers = 1;
    const BuildReport report = buildGallery(project, options, progress);
    EXPECT_FALSE(report.fatal);
    EXPECT_TRUE(report.stopped);
    EXPECT_LT(report.imagesProduced, 6);
    EXPECT_TRUE(report.firstPage.isEmpty());
    EXPECT_TRUE(entries("out/gallery").filter(".html").isEmpty());
}
