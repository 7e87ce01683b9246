#include "model/imageadder.h"
#include "imaging/syntheticimage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lumarc;

namespace {

QString write(const QString &path, const imaging::SyntheticImage &spec = {})
{
    const Status status = imaging::writeSyntheticImage(path, spec);
    EXPECT_FALSE(status) << status->message().toStdString();
    return path;
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
    const struct {
        int w, h;
        bool keep;
        QSize expected;
    } cases[] = {
        {4000, 1000, true, {120, 30}}, {1000, 4000, true, {30, 120}}, {60, 60, true, {120, 120}},
        {48, 5, true, {120, 12}},  // 12.5 -> 12
        {4000, 1000, false, {120, 120}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(previewSize(c.w, c.h, 120, 120, c.keep), c.expected) << c.w << "x" << c.h;
}

TEST_F(ImageAdder, AddsARecordWithDefaultTextsAndAPreview)
{
    project.settings.defaultLinkText = QStringLiteral("more");
    const QString path = write(dir.filePath(QStringLiteral("Sun set.v2.JPG")), {.width = 400, .height = 100});

    const AddResult result = addImageToProject(project, path);

    ASSERT_EQ(result.outcome, AddOutcome::Added) << result.detail.toStdString();
    EXPECT_EQ(result.index, 0);
    ASSERT_EQ(project.images.count(), 1);
    const ImageItem &item = project.images.at(0);
    EXPECT_EQ(item.path, path);
    EXPECT_EQ(item.title, QStringLiteral("Sun set.v2"));
    EXPECT_EQ(item.tooltip, QStringLiteral("Sun set.v2"));
    EXPECT_EQ(item.outputName, QStringLiteral("Sun set.v2"));
    EXPECT_EQ(item.linkText, QStringLiteral("more"));
    EXPECT_TRUE(item.url.isEmpty());
    EXPECT_FALSE(item.openSameWindow);
    EXPECT_TRUE(item.loaded);
    const PixelBuffer &preview = project.images.preview(0);
    EXPECT_EQ(QSize(preview.width, preview.height), QSize(120, 30));
    EXPECT_EQ(preview.rgb.size(), 120 * 30 * 3);
}

TEST_F(ImageAdder, RefusesDuplicatesUnreadableAndUndecodableFiles)
{
    const QString pic = write(dir.filePath(QStringLiteral("pic.jpg")));
    ASSERT_EQ(addImageToProject(project, pic).outcome, AddOutcome::Added);
    QFile text(dir.filePath(QStringLiteral("words.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not an image") > 0);
    text.close();
    const struct {
        QString path;
        AddOutcome outcome;
        QString message;
    } cases[] = {
        {pic, AddOutcome::Duplicate, QStringLiteral("Image path:'pic' already exist!\r\nImage ignored!")},
        {dir.filePath(QStringLiteral("notes.txt")), AddOutcome::NotReadable, {}},
        {text.fileName(), AddOutcome::LoadFailed, {}},
    };
    for (const auto &c : cases) {
        const AddResult result = addImageToProject(project, c.path);
        EXPECT_EQ(result.outcome, c.outcome) << c.path.toStdString();
        EXPECT_EQ(result.message, c.message) << c.path.toStdString();
        EXPECT_EQ(result.index, -1);
    }
    EXPECT_EQ(project.images.count(), 1);
}

TEST_F(ImageAdder, FolderAddsReadableFilesDirectlyInsideInNameOrder)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    write(dir.filePath(QStringLiteral("b.jpg")));
    write(dir.filePath(QStringLiteral("a.png")));
    write(dir.filePath(QStringLiteral("sub/c.jpg")));
    QFile other(dir.filePath(QStringLiteral("readme.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    const QList<AddResult> results = addFolderImages(project, dir.path());

    ASSERT_EQ(results.size(), 2);
    ASSERT_EQ(project.images.count(), 2);
    EXPECT_EQ(project.images.at(0).title, QStringLiteral("a"));
    EXPECT_EQ(project.images.at(1).title, QStringLiteral("b"));
}

TEST_F(ImageAdder, SameFileNameInTwoFoldersGetsNumberedOutputNames)
{
    for (const char *folder : {"A", "B"}) {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QLatin1String(folder)));
        const QString path = write(dir.filePath(QLatin1String(folder) + QStringLiteral("/img.jpg")));
        ASSERT_EQ(addImageToProject(project, path).outcome, AddOutcome::Added);
    }
    EXPECT_EQ(project.images.at(0).outputName, QStringLiteral("img"));
    EXPECT_EQ(project.images.at(1).outputName, QStringLiteral("img_1"));
}
