#include "adding/imageadder.h"

#include "syntheticimage.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;

namespace {

QString write(const QString &path, const test::SyntheticImage &spec = {})
{
    EXPECT_FALSE(test::writeSyntheticImage(path, spec));
    return path;
}

// The window's route for one file: the checks, the preview, then the append; the project
// is unchanged unless Added.
AddOutcome addWithPreview(Project &project, const QString &path)
{
    if (const AddOutcome checked = checkNewImage(project, path); checked != AddOutcome::Added)
        return checked;
    const Result<PixelBuffer> preview = loadPreview(path);
    if (!preview)
        return previewFailure(preview.error());
    return appendNewImage(project, path).outcome;
}

class ImageAdder : public ::testing::Test {
protected:
    void SetUp() override { project.settings.setDefaults(); }
    QTemporaryDir dir;
    Project project;
};

} // namespace

TEST(PreviewSize, FillsTheBoxAndEnlargesSmallImages)
{
    const struct { int w, h; bool keep; QSize expected; } cases[] = {
        {4000, 1000, true, {120, 30}}, {1000, 4000, true, {30, 120}}, {60, 60, true, {120, 120}},
        {48, 5, true, {120, 12}} /* 12.5 -> 12 */, {4000, 1000, false, {120, 120}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(previewSize(c.w, c.h, 120, 120, c.keep), c.expected) << c.w << "x" << c.h;
}

TEST_F(ImageAdder, RefusesDuplicatesUnreadableAndUndecodableFiles)
{
    const QString pic = write(dir.filePath(QStringLiteral("pic.jpg")));
    ASSERT_EQ(addWithPreview(project, pic), AddOutcome::Added);
    ASSERT_TRUE(test::writeAll(dir.filePath(QStringLiteral("words.jpg")), "not an image"));
    const struct { QString path; AddOutcome outcome; } cases[] = {
        {pic, AddOutcome::Duplicate}, {dir.filePath(QStringLiteral("notes.txt")), AddOutcome::NotReadable},
        {dir.filePath(QStringLiteral("words.jpg")), AddOutcome::LoadFailed},
    };
    // With a preview and from the header alone, the same refusals.
    for (const auto &c : cases) {
        EXPECT_EQ(addWithPreview(project, c.path), c.outcome) << c.path.toStdString();
        const AddResult result = addImageFromHeader(project, c.path);
        EXPECT_TRUE(result.outcome == c.outcome && result.index == -1) << c.path.toStdString();
    }
    EXPECT_EQ(project.images.count(), 1);
}

TEST_F(ImageAdder, StepsGiveFittedPreviewsDefaultTextsNumberedNamesAndRefuseMissingFiles)
{
    project.settings.defaultLinkText = QStringLiteral("more");
    const QString first = write(dir.filePath(QStringLiteral("Sun set.v2.JPG")), {.width = 400, .height = 100});
    const QString second = write(dir.filePath(QStringLiteral("sun set.v2.png")), {.width = 30, .height = 90});
    ASSERT_EQ(checkNewImage(project, first), AddOutcome::Added);
    ASSERT_EQ(checkNewImage(project, second), AddOutcome::Added);
    const Result<PixelBuffer> secondPreview = loadPreview(second);
    const Result<PixelBuffer> firstPreview = loadPreview(first);
    ASSERT_TRUE(secondPreview && firstPreview);
    const PixelBuffer &p = firstPreview.value();
    EXPECT_TRUE(p.width == 120 && p.height == 30 && p.rgb.size() == 120 * 30 * 3) << p.width << "x" << p.height;
    EXPECT_EQ(appendNewImage(project, first).index, 0);
    EXPECT_EQ(appendNewImage(project, second).index, 1);
    const ImageItem &item = project.images.at(0);
    EXPECT_EQ(QStringList({item.path, item.title, item.tooltip, item.outputName, item.linkText, item.url,
                           project.images.at(1).outputName}),
              QStringList({first, "Sun set.v2", "Sun set.v2", "Sun set.v2", "more", "", "sun set.v2_1"}));
    EXPECT_TRUE(item.loaded && !item.openSameWindow);
    const Result<PixelBuffer> broken = loadPreview(dir.filePath(QStringLiteral("missing.jpg")));
    ASSERT_FALSE(broken);
    EXPECT_EQ(previewFailure(broken.error()), AddOutcome::LoadFailed);
}
