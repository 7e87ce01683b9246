#include "generator/gallerybuilder.h"

#include "imaging/imageengine.h"
#include "syntheticimage.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

// Asks to stop once `stopAfter` steps were reported.
class StoppingProgress final : public Progress {
public:
    void step(int, int, const QString &) override { stop = stopAfter > 0 && ++steps >= stopAfter; }
    bool stopRequested() const override { return stop; }
    int steps = 0, stopAfter = 0;
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
            ASSERT_FALSE(test::writeSyntheticImage(path, {.width = 96, .height = 64}));
            project.images.append(newImageRecord(project, path));
        }
    }

    QStringList entries(const QString &relative) const { return QDir(tmp.filePath(relative)).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir tmp;
    Project project;
    StoppingProgress progress;
};

} // namespace

TEST_F(GalleryBuilderTest, AnEmptyProjectWritesNothingAndStopEndsAfterTheCurrentImagesWithoutPages)
{
    const BuildReport empty = buildGallery(project, {}, progress);
    EXPECT_TRUE(empty.fatal && empty.fatal->code == ErrorCode::Invalid);
    EXPECT_FALSE(QDir(tmp.filePath("out")).exists());

    addImages(6);
    progress.stopAfter = 1;
    BuildOptions options;
    options.workers = 1;
    const BuildReport report = buildGallery(project, options, progress);
    EXPECT_TRUE(!report.fatal && report.stopped);
    EXPECT_LT(report.imagesProduced, 6);
    EXPECT_TRUE(report.firstPage.isEmpty());
    EXPECT_TRUE(entries("out/gallery").filter(".html").isEmpty());
}

TEST_F(GalleryBuilderTest, AnInputWhereTheGalleryGoesStopsTheBuildBeforeAnyWrite)
{
    addImages(1);
    const QString folder = tmp.filePath("out/gallery");
    ASSERT_TRUE(QDir().mkpath(folder + "/library"));
    // A background kept in the library of an earlier build, which a clean build empties.
    const QString background = folder + "/library/bg.png";
    ASSERT_FALSE(test::writeSyntheticImage(background, test::SyntheticImage{}));
    project.settings.pageBackgroundImage = background;
    BuildOptions options;
    options.confirmEmptying = [](const QString &, const DestinationSurvey &) { return true; };
    const BuildReport clean = buildGallery(project, options, progress);
    ASSERT_TRUE(clean.fatal);
    EXPECT_EQ(clean.fatal->path, background);
    EXPECT_EQ(entries("out/gallery/library"), QStringList{"bg.png"});
    EXPECT_TRUE(entries("out/gallery").isEmpty());

    // "HTML only" leaves the library's files alone, so the same background is fine there.
    options.htmlOnly = true;
    const BuildReport htmlOnly = buildGallery(project, options, progress);
    EXPECT_TRUE(!htmlOnly.fatal && htmlOnly.succeeded());
    EXPECT_FALSE(QDir(folder + "/photos").exists());

    // The project file itself, were it named like a page.
    options.htmlOnly = false;
    options.protectedFiles = {folder + "/index.html"};
    project.settings.pageBackgroundImage.clear();
    const BuildReport page = buildGallery(project, options, progress);
    ASSERT_TRUE(page.fatal);
    EXPECT_EQ(page.fatal->path, folder + "/index.html");
}

TEST_F(GalleryBuilderTest, TheFolderStaysLockedAndUntouchedWhileTheAnswerIsAwaited)
{
    addImages(1);
    BuildOptions options;
    options.confirmEmptying = [](const QString &, const DestinationSurvey &) { return true; };
    ASSERT_TRUE(buildGallery(project, options, progress).succeeded());

    GalleryBuild waiting(project, {}, progress);
    ASSERT_TRUE(waiting.needsConsent());
    EXPECT_TRUE(waiting.survey().earlierGallery);
    EXPECT_EQ(waiting.folder(), QDir(tmp.filePath("out/gallery")).canonicalPath());
    const BuildReport second = buildGallery(project, options, progress);
    ASSERT_TRUE(second.fatal);
    EXPECT_EQ(second.fatal->code, ErrorCode::Refused);
    EXPECT_FALSE(second.asked);

    const BuildReport declined = waiting.finish(false, progress);
    ASSERT_TRUE(declined.fatal);
    EXPECT_EQ(declined.fatal->code, ErrorCode::Refused);
    EXPECT_TRUE(declined.asked);
    EXPECT_EQ(entries("out/gallery/photos"), QStringList{"src0.jpg"});
    const BuildReport again = buildGallery(project, options, progress);  // the folder is free again
    EXPECT_TRUE(again.succeeded() && again.deletedFiles > 0);
}
